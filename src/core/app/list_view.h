#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/records.h"
#include "core/setup/settings.h"

namespace corvane {

// The main list's rules, without the list: which field goes into which
// column, which records are shown, how rows sort, which row is the machine's
// active configuration, and what the offer for new connections adds.

// What "Default Columns" restores.
inline constexpr std::array<int, kColumnCount> kDefaultColumnWidths = {95, 95, 95, 160, 230};

// The five texts of one row, column 0 first.
using RowTexts = std::array<std::string, kColumnCount>;

// A stored column order that is not a permutation of "12345" (only an edited
// settings file has one) reads as "12345".
std::string NormalizedColumnOrder(std::string_view columnOrder);

// The record field (1 to 5) shown in column k (1 to 5).
int FieldOfColumn(std::string_view columnOrder, int column);
// The column (1 to 5) that shows field k (1 to 5): the last position whose
// digit is k; 0 when none is.
int ColumnOfField(std::string_view columnOrder, int field);

// The row of a record line, or nullopt when the line is not shown (not clean,
// or fewer than five fields).
std::optional<RowTexts> RowOfRecord(std::string_view record, std::string_view columnOrder);

// The row's texts joined with ";".
std::string ItemRowText(const RowTexts& row);

// At the first hide-list entry that contains name (case-sensitive; an empty
// name is contained in none): whether it is checked. False when none does.
bool IsHiddenConnection(const std::vector<CheckListEntry>& hideList, std::string_view name);

// Whether some hide-list entry contains name: the connection exists here.
bool ConnectionPresent(const std::vector<CheckListEntry>& hideList, std::string_view name);

struct ListRows {
    std::vector<RowTexts> rows;
    int hiddenCount = 0;
};

// The rows RefreshList shows, in ConfigLines order.
ListRows BuildListRows(const ConfigLines& lines, std::string_view columnOrder,
                       const std::vector<CheckListEntry>& hideList);

// "Interface Name", or "Interface Name  (N hidden)".
std::string ConnectionColumnCaption(int hiddenCount);

// The width a column starts with at the first showing, by its caption.
int InitialColumnWidth(std::string_view caption);

// Byte-wise comparison with only a-z folded to A-Z: the difference of the
// first differing bytes (unsigned), else the difference of the lengths.
int CompareTextNoCase(std::string_view a, std::string_view b);

// lvIPCompare: the texts of the sort column, negated when descending.
int CompareRows(const RowTexts& a, const RowTexts& b, int sortColumn, bool descending);

// The stored record of a row: the first record that the row's address, mask,
// router and connection duplicate. nullopt when there is none.
std::optional<std::string> RecordOfRow(const ConfigLines& lines, const RowTexts& row,
                                       std::string_view columnOrder, bool multipleAllowed);

// The popup's rule for "Hide": never the last visible connection, and only
// from a row whose connection exists.
bool HideEnabled(const std::vector<CheckListEntry>& hideList, bool rowSelected, bool goEnabled);

// The row (index into rows) that matches the machine's live configuration, or
// -1: the first adapter with a matching entry decides; a hidden connection
// matches nothing.
int FindActiveEntry(const std::vector<std::string>& adapterSummaries,
                    const std::vector<RowTexts>& rows, std::string_view columnOrder,
                    std::string_view firstHostAddress, const std::vector<CheckListEntry>& hideList);

// The records the offer for new connections appends, one per adapter that
// has an address and a connection name.
std::vector<std::string> NewConnectionRecords(const std::vector<std::string>& adapterSummaries);

// The colour of the host address text in the status bar.
enum class AddressColour { Default, Blue, Red };
AddressColour HostAddressColour(int hostAddressState);

} // namespace corvane
