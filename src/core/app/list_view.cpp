#include "core/app/list_view.h"

#include <algorithm>

#include "core/addr/ip.h"
#include "core/app/tokenizer.h"

namespace corvane {

std::string NormalizedColumnOrder(std::string_view columnOrder) {
    std::string sorted(columnOrder);
    std::sort(sorted.begin(), sorted.end());
    if (sorted == kDefaultColumnOrder)
        return std::string(columnOrder);
    return std::string(kDefaultColumnOrder);
}

int FieldOfColumn(std::string_view columnOrder, int column) {
    if (column < 1 || column > static_cast<int>(columnOrder.size()))
        return 0;
    char digit = columnOrder[static_cast<std::size_t>(column - 1)];
    return (digit >= '0' && digit <= '9') ? digit - '0' : 0;
}

int ColumnOfField(std::string_view columnOrder, int field) {
    int column = 0;
    for (int p = 1; p <= kColumnCount; ++p)
        if (FieldOfColumn(columnOrder, p) == field)
            column = p;
    return column;
}

std::optional<RowTexts> RowOfRecord(std::string_view record, std::string_view columnOrder) {
    tokenizer fields(record, ',');
    if (!fields.clean() || fields.count() < 5)
        return std::nullopt;
    RowTexts row;
    for (int column = 1; column <= kColumnCount; ++column)
        row[static_cast<std::size_t>(column - 1)] =
            fields.field(FieldOfColumn(columnOrder, column));
    return row;
}

std::string ItemRowText(const RowTexts& row) {
    std::string text = row[0];
    for (std::size_t i = 1; i < row.size(); ++i)
        text += ";" + row[i];
    return text;
}

namespace {

const CheckListEntry* FirstEntryContaining(const std::vector<CheckListEntry>& hideList,
                                           std::string_view name) {
    if (name.empty())
        return nullptr;
    for (const auto& entry : hideList)
        if (entry.text.find(name) != std::string::npos)
            return &entry;
    return nullptr;
}

const std::string& Column(const RowTexts& row, std::string_view columnOrder, int field) {
    static const std::string kNone;
    int column = ColumnOfField(columnOrder, field);
    return column ? row[static_cast<std::size_t>(column - 1)] : kNone;
}

} // namespace

bool IsHiddenConnection(const std::vector<CheckListEntry>& hideList, std::string_view name) {
    const CheckListEntry* entry = FirstEntryContaining(hideList, name);
    return entry && entry->checked;
}

bool ConnectionPresent(const std::vector<CheckListEntry>& hideList, std::string_view name) {
    return FirstEntryContaining(hideList, name) != nullptr;
}

ListRows BuildListRows(const ConfigLines& lines, std::string_view columnOrder,
                       const std::vector<CheckListEntry>& hideList) {
    ListRows result;
    for (const auto& line : lines) {
        auto row = RowOfRecord(line, columnOrder);
        if (!row)
            continue;
        if (IsHiddenConnection(hideList, tokenizer(line, ',').field(4))) {
            ++result.hiddenCount;
            continue;
        }
        result.rows.push_back(std::move(*row));
    }
    return result;
}

std::string ConnectionColumnCaption(int hiddenCount) {
    if (hiddenCount <= 0)
        return "Interface Name";
    return "Interface Name  (" + std::to_string(hiddenCount) + " hidden)";
}

int InitialColumnWidth(std::string_view caption) {
    int width = 117;
    if (caption.find("Remarks") != std::string_view::npos)
        width = 215;
    if (caption.find("Interface") != std::string_view::npos)
        width = 185;
    return width;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    auto upper = [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return (byte >= 'a' && byte <= 'z') ? byte - 32 : byte;
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int diff = upper(a[i]) - upper(b[i]);
        if (diff != 0)
            return diff;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareRows(const RowTexts& a, const RowTexts& b, int sortColumn, bool descending) {
    const auto column = static_cast<std::size_t>(std::clamp(sortColumn, 0, kColumnCount - 1));
    int result = CompareTextNoCase(a[column], b[column]);
    return descending ? -result : result;
}

// The row's fields 1 to 4 form the key the duplicate rule looks up; the stored
// line comes back as it is, so a ";" in a remark stays a ";".
std::optional<std::string> RecordOfRow(const ConfigLines& lines, const RowTexts& row,
                                       std::string_view columnOrder, bool multipleAllowed) {
    std::string key;
    for (int field = 1; field <= 4; ++field)
        key += Column(row, columnOrder, field) + ",";
    key += " ";
    int index = FindDuplicate(lines, key, multipleAllowed);
    if (index < 0)
        return std::nullopt;
    return lines[static_cast<std::size_t>(index)];
}

bool HideEnabled(const std::vector<CheckListEntry>& hideList, bool rowSelected, bool goEnabled) {
    const auto m = static_cast<int>(hideList.size());
    const auto h = static_cast<int>(
        std::count_if(hideList.begin(), hideList.end(), [](const auto& e) { return e.checked; }));
    return m != 1 && h + 1 < m && rowSelected && goEnabled;
}

int FindActiveEntry(const std::vector<std::string>& adapterSummaries,
                    const std::vector<RowTexts>& rows, std::string_view columnOrder,
                    std::string_view firstHostAddress,
                    const std::vector<CheckListEntry>& hideList) {
    auto find = [&](std::string_view address, std::string_view connection) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (Column(rows[i], columnOrder, 1) == address &&
                Column(rows[i], columnOrder, 4) == connection)
                return static_cast<int>(i);
        return -1;
    };
    int match = -1;
    for (const auto& summary : adapterSummaries) {
        tokenizer adapter(summary, ',');
        if (adapter.field(2) == "YES") {
            if (adapter.field(1) == firstHostAddress)
                match = find("dhcp", adapter.field(5));
        } else {
            match = find(adapter.field(1), adapter.field(5));
        }
        if (match >= 0)
            break;
    }
    if (match < 0 ||
        IsHiddenConnection(hideList, Column(rows[static_cast<std::size_t>(match)], columnOrder, 4)))
        return -1;
    return match;
}

std::vector<std::string> NewConnectionRecords(const std::vector<std::string>& adapterSummaries) {
    std::vector<std::string> records;
    for (const auto& summary : adapterSummaries) {
        tokenizer adapter(summary, ',');
        ip address(adapter.field(1));
        if (!address.valid() || address.isZero() || address.isLoopback())
            continue;
        if (adapter.field(5) == "none")
            continue;
        if (adapter.field(2) == "YES")
            records.push_back("dhcp, , ," + adapter.field(5) + ",IP address by DHCP");
        else
            records.push_back(adapter.field(1) + "," + adapter.field(3) + "," + adapter.field(4) +
                              "," + adapter.field(5) + ",added by CORVANE," + adapter.field(6) +
                              "," + adapter.field(7));
    }
    return records;
}

AddressColour HostAddressColour(int hostAddressState) {
    if (hostAddressState > 1)
        return AddressColour::Blue;
    if (hostAddressState == -1)
        return AddressColour::Red;
    return AddressColour::Default;
}

} // namespace corvane
