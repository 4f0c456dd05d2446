#include "gui/setup/setup_form.h"

#include "core/setup/setup_pages.h"
#include "core/setup/tables.h"
#include "gui/app/application.h"
#include "gui/app/dhcp_wait_form.h"
#include "gui/app/icons.h"
#include "platform/local_time.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "ui_setup_form.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace corvane::gui {

namespace {

// Stands in for a platform without a settings store: nothing opens.
class NoStore : public SettingsStore {
  public:
    StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot, std::string_view,
                                                   KeyAccess) override {
        StoreResult<std::unique_ptr<StoreKey>> result;
        result.error.status = StoreStatus::Failed;
        return result;
    }
};

SettingsStore& StoreOf(Platform& platform, std::unique_ptr<SettingsStore>& fallback) {
    if (platform.settings)
        return *platform.settings;
    fallback = std::make_unique<NoStore>();
    return *fallback;
}

// Stands in for a platform without an IP helper: a library that did not load,
// so that every operation takes its error path.
class UnboundIpHelper : public IpHelper {
  public:
    std::uint32_t BindingReport() const override { return 0x00FFu | kBindLibraryMissing; }
    SysError GetAdaptersInfo(std::vector<AdapterRecord>&) override { return kNotBound; }
    SysError GetPerAdapterInfo(std::uint32_t, PerAdapterInfo&) override { return kNotBound; }
    SysError GetInterfaceInfo(std::vector<AdapterIndexMap>&) override { return kNotBound; }
    SysError IpReleaseAddress(const AdapterIndexMap&) override { return kNotBound; }
    SysError IpRenewAddress(const AdapterIndexMap&) override { return kNotBound; }
    SysError GetIfTable(std::vector<IfRow>&, bool) override { return kNotBound; }
    SysError GetIfEntry(IfRow&) override { return kNotBound; }
    SysError GetIpForwardTable(std::vector<ForwardRow>&, bool) override { return kNotBound; }
    std::optional<std::string> ErrorText(SysError) const override { return std::nullopt; }
};

class NoConnectionNames : public ConnectionNames {
  public:
    std::string ConnectionNameOf(const std::string&) override { return {}; }
};

IpHelper& HelperOf(Platform& platform) {
    static UnboundIpHelper unbound;
    return platform.ipHelper ? *platform.ipHelper : unbound;
}

ConnectionNames& NamesOf(Platform& platform) {
    static NoConnectionNames none;
    return platform.connectionNames ? *platform.connectionNames : none;
}

// Columns of lvIfTable and lvFwTable, and their widths.
constexpr int kIfIndexColumn = 0;
constexpr int kIfTypeColumn = 2;
constexpr int kIfStatusColumn = 4;
constexpr int kIfTableWidths[] = {60, 130, 80, 90, 100, 250};
constexpr int kFwTableWidths[] = {110, 110, 110, 65, 55};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The selected row of a single-selection list, or -1.
int SelectedRow(const QAbstractItemView* view) {
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

QIcon TreeIcon(int image) {
    // The same picture whether selected or not.
    static std::vector<QIcon> icons = [] {
        std::vector<QIcon> made;
        for (int n = 0; n < Icons::kTreeImageCount; ++n) {
            QIcon icon = Icons::TreeImage(n);
            const QPixmap pixmap = icon.pixmap(16, 16);
            icon.addPixmap(pixmap, QIcon::Selected);
            made.push_back(icon);
        }
        return made;
    }();
    return image >= 0 && image < static_cast<int>(icons.size())
               ? icons[static_cast<std::size_t>(image)]
               : QIcon();
}

QTreeWidgetItem* NewTreeItem(const TreeNode& node) {
    auto* item = new QTreeWidgetItem({Text(node.text)});
    item->setIcon(0, TreeIcon(node.image));
    item->setData(0, TSetupForm::kImageRole, node.image);
    for (const TreeNode& child : node.children)
        item->addChild(NewTreeItem(child));
    return item;
}

QListWidgetItem* NewCheckItem(const std::string& text, bool checked) {
    auto* item = new QListWidgetItem(Text(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

void FillTable(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
    table->clearContents();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(cells.size()) && c < table->columnCount(); ++c)
            table->setItem(r, c, new QTableWidgetItem(Text(cells[static_cast<std::size_t>(c)])));
    }
}

template <std::size_t N> void SetColumnWidths(QTableWidget* table, const int (&widths)[N]) {
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    for (std::size_t c = 0; c < N; ++c)
        table->setColumnWidth(static_cast<int>(c), widths[c]);
}

} // namespace

TSetupForm::TSetupForm(Platform& platform, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ui(new Ui::TSetupForm), platform_(platform), dialogs_(dialogs),
      settings_(StoreOf(platform, fallbackStore_)) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    ui->sbtnUp->setIcon(Icons::GlyphIcon(Icons::Glyph::Up));
    ui->sbtnDown->setIcon(Icons::GlyphIcon(Icons::Glyph::Down));
    ui->btnRefresh->setIcon(Icons::GlyphIcon(Icons::Glyph::Refresh));
    SetColumnWidths(ui->lvIfTable, kIfTableWidths);
    SetColumnWidths(ui->lvFwTable, kFwTableWidths);
    ui->tvInfo->setIconSize(QSize(16, 16));

    pmIfMenu = new QMenu(this);
    pmIfMenu->setObjectName("pmIfMenu");
    RenewIP1 = pmIfMenu->addAction("Renew IP");
    RenewIP1->setObjectName("RenewIP1");
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->setProperty("helpContext", 3010);
    Unchekallinterfaces1 = PopupMenu1->addAction("Uncheck all interfaces");
    Unchekallinterfaces1->setObjectName("Unchekallinterfaces1");
    Unchekallinterfaces1->setProperty("helpContext", 3010);

    connect(ui->pctrlSetup, &QTabWidget::currentChanged, this, [this](int page) {
        pctrlSetupChanging(activePage_);
        activePage_ = page;
        pctrlSetupChange();
        if (page == kPageSetup)
            tsOptionsShow();
    });
    connect(ui->btnRefresh, &QPushButton::clicked, this, &TSetupForm::btnRefreshClick);
    connect(ui->btnOk, &QPushButton::clicked, this, [this] {
        // The window closes with OK even when saving fails, as the main window
        // saves once more and reports it again.
        Guarded([this] { btnOkClick(); });
        accept();
    });
    connect(ui->btnCancel, &QPushButton::clicked, this, &TSetupForm::btnCancelClick);
    connect(ui->btnHelp, &QPushButton::clicked, this, &TSetupForm::btnHelpClick);
    connect(ui->btnApply, &QPushButton::clicked, this, &TSetupForm::btnApplyClick);
    connect(ui->btnDefault, &QPushButton::clicked, this, &TSetupForm::btnDefaultClick);
    connect(ui->sbtnUp, &QToolButton::clicked, this, &TSetupForm::sbtnUpClick);
    connect(ui->sbtnDown, &QToolButton::clicked, this, &TSetupForm::sbtnDownClick);

    connect(ui->lbHideInterface, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (settingChecks_)
            return;
        const int row = ui->lbHideInterface->row(item);
        auto& entries = settings_.lbHideInterface;
        if (row < 0 || row >= static_cast<int>(entries.size()))
            return;
        entries[static_cast<std::size_t>(row)].checked = item->checkState() == Qt::Checked;
        lbHideInterfaceClickCheck(row);
    });
    connect(ui->lbHideInterface, &QListWidget::itemDoubleClicked, this,
            &TSetupForm::lbHideInterfaceDblClick);
    connect(ui->lbHideInterface, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                PopupMenu1->popup(ui->lbHideInterface->viewport()->mapToGlobal(pos));
            });
    connect(Unchekallinterfaces1, &QAction::triggered, this,
            &TSetupForm::Unchekallinterfaces1Click);

    using enum SettingsOption;
    for (SettingsOption box : {cbMultipleIP, DontCloseCheckBox, cbMinimize, cbClassfulSubnets,
                               cbEnableHints, cbAutoUpdate})
        connect(CheckBoxOf(box), &QCheckBox::clicked, this,
                [this, box](bool checked) { settings_.SetChecked(box, checked); });
    settings_.SetCheckChangedHook(
        [this](SettingsOption box, bool checked) { OnCheckChanged(box, checked); });

    connect(ui->lbAPIPA, &QListWidget::itemChanged, this, [this] {
        if (!settingChecks_)
            lbAPIPAClickCheck();
    });
    connect(ui->lvIfTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        pmIfMenuPopup();
        pmIfMenu->popup(ui->lvIfTable->viewport()->mapToGlobal(pos));
    });
    connect(RenewIP1, &QAction::triggered, this, &TSetupForm::RenewIP1Click);

    for (QWidget* control :
         std::initializer_list<QWidget*>{ui->lbHideInterface, ui->cbMultipleIP,
                                         ui->DontCloseCheckBox, ui->cbClassfulSubnets, ui->lbAPIPA})
        control->installEventFilter(this);

    const std::uint32_t report = HelperOf(platform_).BindingReport();
    initFailed_ = report != 0;
    initError_ = InitErrorText(report);
    ui->btnApply->setEnabled(false);
    FormatApipaText();

    ShowOptions();
    ShowColumnOrder(-1);
    pctrlSetupChange();
}

TSetupForm::~TSetupForm() {
    settings_.SetCheckChangedHook(nullptr);
}

void TSetupForm::FormatApipaText() {
    QTextEdit* memo = ui->memAPIPA;
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, QColor(0, 0, 128));
    memo->setPalette(palette);
    QFont font = memo->font();
    font.setFamilies({"MS Sans Serif", "Sans Serif"});
    font.setPixelSize(14);
    memo->setFont(font);

    QTextDocument* text = memo->document();
    for (QTextBlock line = text->begin(); line.isValid(); line = line.next()) {
        if (!line.text().startsWith("&B"))
            continue;
        QTextCursor cursor(line);
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 2);
        cursor.removeSelectedText();
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        format.setForeground(QColor(0, 0, 255));
        cursor.mergeCharFormat(format);
    }
}

// --- showing the settings ---------------------------------------------------

QCheckBox* TSetupForm::CheckBoxOf(SettingsOption box) const {
    switch (box) {
    case SettingsOption::cbMultipleIP:
        return ui->cbMultipleIP;
    case SettingsOption::DontCloseCheckBox:
        return ui->DontCloseCheckBox;
    case SettingsOption::cbMinimize:
        return ui->cbMinimize;
    case SettingsOption::cbClassfulSubnets:
        return ui->cbClassfulSubnets;
    case SettingsOption::cbEnableHints:
        return ui->cbEnableHints;
    case SettingsOption::cbAutoUpdate:
        return ui->cbAutoUpdate;
    }
    return nullptr;
}

void TSetupForm::OnCheckChanged(SettingsOption box, bool checked) {
    if (QCheckBox* control = CheckBoxOf(box)) {
        QSignalBlocker quiet(control);
        control->setChecked(checked);
    }
    // A box set to a new state runs its click handler, whoever set it.
    if (box == SettingsOption::DontCloseCheckBox)
        DontCloseCheckBoxClick();
    else if (box == SettingsOption::cbEnableHints)
        cbEnableHintsClick();
}

void TSetupForm::ShowOptions() {
    using enum SettingsOption;
    for (SettingsOption box : {cbMultipleIP, DontCloseCheckBox, cbMinimize, cbClassfulSubnets,
                               cbEnableHints, cbAutoUpdate}) {
        QCheckBox* control = CheckBoxOf(box);
        QSignalBlocker quiet(control);
        control->setChecked(settings_.Checked(box));
    }
    ui->cbMinimize->setEnabled(settings_.MinimizeEnabled());
}

void TSetupForm::ShowColumnOrder(int selected) {
    QListWidget* list = ui->lbColumnOrder;
    list->clear();
    for (const std::string& caption : settings_.lbColumnOrder)
        list->addItem(Text(caption));
    if (selected >= 0 && selected < list->count())
        list->setCurrentRow(selected);
}

void TSetupForm::ShowHideList() {
    QListWidget* list = ui->lbHideInterface;
    const int current = SelectedRow(list);
    settingChecks_ = true;
    list->clear();
    for (const CheckListEntry& entry : settings_.lbHideInterface)
        list->addItem(NewCheckItem(entry.text, entry.checked));
    settingChecks_ = false;
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
}

void TSetupForm::ShowTree(const std::vector<TreeNode>& nodes) {
    ui->tvInfo->clear();
    for (const TreeNode& node : nodes) {
        QTreeWidgetItem* item = NewTreeItem(node);
        ui->tvInfo->addTopLevelItem(item);
        item->setExpanded(true);
    }
}

void TSetupForm::ShowApipaList(const std::vector<std::string>& texts) {
    settingChecks_ = true;
    ui->lbAPIPA->clear();
    for (const std::string& text : texts)
        ui->lbAPIPA->addItem(NewCheckItem(text, false));
    settingChecks_ = false;
}

// --- the window's interface to the main window -----------------------------

MessageResult TSetupForm::Tell(const Message& message) {
    // The refresh also runs for the main window while this one is hidden.
    return dialogs_.ShowMessage(isVisible() ? this : parentWidget(), message);
}

bool TSetupForm::RefreshEnabled() const {
    return ui->btnRefresh->isEnabled();
}

void TSetupForm::LoadSettings() {
    try {
        settings_.LoadSettings();
    } catch (...) {
        ShowOptions();
        ShowColumnOrder(SelectedRow(ui->lbColumnOrder));
        ShowHideList();
        throw;
    }
    ShowOptions();
    ShowColumnOrder(SelectedRow(ui->lbColumnOrder));
    ShowHideList();
}

void TSetupForm::SaveSettings() {
    settings_.SaveSettings();
}

void TSetupForm::ShowFirstPage() {
    ui->pctrlSetup->setCurrentIndex(kPageSetup);
}

void TSetupForm::RenewAdapterAddress(std::uint32_t index) {
    if (!calls.RenewAdapterAddress)
        return;
    calls.RenewAdapterAddress(
        index, [this](const Message& message) { Tell(message); },
        [] { QCoreApplication::processEvents(); });
}

void TSetupForm::setVisible(bool visible) {
    const bool showing = visible && !isVisible();
    if (showing && windowFlags().testFlag(Qt::WindowStaysOnTopHint) != settings_.StayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, settings_.StayOnTop);
    if (showing && !testAttribute(Qt::WA_Moved))
        if (const QScreen* desktop = screen())
            move(desktop->availableGeometry().center() - rect().center());
    QDialog::setVisible(visible);
    if (showing)
        FormShow();
}

// --- the window as a whole ---------------------------------------------------

void TSetupForm::FormShow() {
    btnRefreshClick();
    // A machine with a single connection cannot hide it.
    const bool several = ui->lbHideInterface->count() > 1;
    ui->lbHideInterface->setEnabled(several);
    ui->IfListFrame->setEnabled(several);
    ui->btnApply->setEnabled(false);
    LoadApipaChecks();
    if (ui->pctrlSetup->currentIndex() == kPageSetup)
        tsOptionsShow();
}

void TSetupForm::btnRefreshClick() {
    ui->btnRefresh->setEnabled(false);
    struct Reenable {
        QPushButton* button;
        ~Reenable() { button->setEnabled(true); }
    } reenable{ui->btnRefresh};
    if (ui->btnApply->isEnabled())
        ConfirmApipaChanges();
    RefreshAdapterInfo();
    settings_.LoadHiddenInterfaces();
    ShowHideList();
    RefreshInterfaceTable();
    RefreshRouteTable();
}

void TSetupForm::btnOkClick() {
    ApplyApipaChanges();
    // The main list takes its field order from ColumnOrder and its captions
    // from the list; they must agree even when the save is refused.
    try {
        settings_.SaveSettings();
    } catch (...) {
        settings_.ColumnOrder = settings_.ColumnOrderText();
        throw;
    }
    settings_.ColumnOrder = settings_.ColumnOrderText();
}

void TSetupForm::btnCancelClick() {
    ui->btnApply->setEnabled(false);
    reject();
}

void TSetupForm::btnHelpClick() {
    const int context = SetupHelpContext(ui->pctrlSetup->currentIndex());
    if (Application)
        Application->HelpContext(context);
    else
        dialogs_.ShowHelp("corvane.hlp", context);
}

void TSetupForm::keyPressEvent(QKeyEvent* event) {
    // Esc is the Cancel button's key, with its handler.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui->btnCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TSetupForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyHandler(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TSetupForm::KeyHandler(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        done(QDialog::Rejected);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(QDialog::Accepted);
        return true;
    default:
        return false;
    }
}

void TSetupForm::pctrlSetupChanging(int leavingPage) {
    if (leavingPage == kPageApipa && ui->btnApply->isEnabled())
        ui->btnApply->setEnabled(ConfirmApipaChanges());
}

void TSetupForm::pctrlSetupChange() {
    const int page = ui->pctrlSetup->currentIndex();
    ui->btnRefresh->setVisible(page != kPageApipa);
    const QVariant hint = ui->pctrlSetup->currentWidget()->property("refreshHint");
    if (hint.isValid()) {
        ui->btnRefresh->setToolTip(hint.toString());
        ui->btnRefresh->setStatusTip(hint.toString());
    }
    setProperty("helpContext", SetupHelpContext(page));
}

// --- page "Setup" --------------------------------------------------------------

void TSetupForm::tsOptionsShow() {
    ui->lbColumnOrder->setCurrentRow(0);
}

void TSetupForm::lbHideInterfaceClickCheck(int entry) {
    auto& entries = settings_.lbHideInterface;
    if (!AllInterfacesHidden(entries))
        return;
    Tell({"Hide interfaces", "At least one interface must remain enabled.",
          MessageIcon::Information});
    if (entry < 0 || entry >= static_cast<int>(entries.size()))
        return;
    entries[static_cast<std::size_t>(entry)].checked = false;
    settingChecks_ = true;
    ui->lbHideInterface->item(entry)->setCheckState(Qt::Unchecked);
    settingChecks_ = false;
}

void TSetupForm::lbHideInterfaceDblClick() {
    const int entry = SelectedRow(ui->lbHideInterface);
    auto& entries = settings_.lbHideInterface;
    if (entry < 0 || entry >= static_cast<int>(entries.size()))
        return;
    CheckListEntry& target = entries[static_cast<std::size_t>(entry)];
    target.checked = !target.checked;
    settingChecks_ = true;
    ui->lbHideInterface->item(entry)->setCheckState(target.checked ? Qt::Checked : Qt::Unchecked);
    settingChecks_ = false;
    lbHideInterfaceClickCheck(entry);
}

void TSetupForm::Unchekallinterfaces1Click() {
    for (CheckListEntry& entry : settings_.lbHideInterface)
        entry.checked = false;
    ShowHideList();
}

void TSetupForm::DontCloseCheckBoxClick() {
    const bool dontClose = settings_.Checked(SettingsOption::DontCloseCheckBox);
    settings_.SetMinimizeEnabled(dontClose);
    ui->cbMinimize->setEnabled(dontClose);
}

void TSetupForm::cbEnableHintsClick() {
    if (Application)
        Application->SetShowHint(settings_.Checked(SettingsOption::cbEnableHints));
}

void TSetupForm::sbtnUpClick() {
    const int moved = MoveEntry(settings_.lbColumnOrder, SelectedRow(ui->lbColumnOrder), -1);
    if (moved >= 0)
        ShowColumnOrder(moved);
}

void TSetupForm::sbtnDownClick() {
    const int moved = MoveEntry(settings_.lbColumnOrder, SelectedRow(ui->lbColumnOrder), +1);
    if (moved >= 0)
        ShowColumnOrder(moved);
}

void TSetupForm::btnDefaultClick() {
    settings_.ResetColumnOrder();
    ShowColumnOrder(SelectedRow(ui->lbColumnOrder));
}

// --- page "APIPA" --------------------------------------------------------------

bool TSetupForm::ReadApipaSetting(const std::string& adapterName) const {
    return calls.ReadApipaSetting ? calls.ReadApipaSetting(adapterName) : true;
}

void TSetupForm::WriteApipaSetting(const std::string& adapterName, bool enabled) const {
    if (calls.WriteApipaSetting)
        calls.WriteApipaSetting(adapterName, enabled);
}

void TSetupForm::LoadApipaChecks() {
    settingChecks_ = true;
    const int count = std::min(ui->lbAPIPA->count(), static_cast<int>(adapterNames_.size()));
    for (int i = 0; i < count; ++i)
        ui->lbAPIPA->item(i)->setCheckState(
            ReadApipaSetting(adapterNames_[static_cast<std::size_t>(i)]) ? Qt::Checked
                                                                         : Qt::Unchecked);
    settingChecks_ = false;
    ui->btnApply->setEnabled(false);
}

void TSetupForm::ApplyApipaChanges() {
    const int count = std::min(ui->lbAPIPA->count(), static_cast<int>(adapterNames_.size()));
    for (int i = 0; i < count; ++i)
        WriteApipaSetting(adapterNames_[static_cast<std::size_t>(i)],
                          ui->lbAPIPA->item(i)->checkState() == Qt::Checked);
    ui->btnApply->setEnabled(false);
}

bool TSetupForm::ConfirmApipaChanges() {
    const MessageResult answer = Tell(
        {"Corvane Setup", "Apply APIPA changes?", MessageIcon::Question, MessageButtons::YesNo});
    if (answer != MessageResult::Yes)
        return false;
    ApplyApipaChanges();
    return true;
}

void TSetupForm::lbAPIPAClickCheck() {
    ui->btnApply->setEnabled(true);
}

void TSetupForm::btnApplyClick() {
    ApplyApipaChanges();
}

// --- page "IP Settings" --------------------------------------------------------

void TSetupForm::RefreshAdapterInfo() {
    AdapterInfo info =
        ReadAdapterInfo(HelperOf(platform_), NamesOf(platform_), adapterReadFailed_, ToLocalTime);
    summaries_ = info.summaries;
    adapterNames_ = info.adapterNames;
    adapterReadFailed_ = info.readFailed;
    settings_.lbHideInterface.clear();
    for (const std::string& text : info.displayTexts)
        settings_.lbHideInterface.push_back({text, false});
    ShowTree(info.tree);
    ShowHideList();
    ShowApipaList(info.displayTexts);
    if (info.loadApipaChecks)
        LoadApipaChecks();
    for (SysError code : info.shownErrors)
        ShowError(code);
    if (info.readError)
        Tell({"Error", kCouldntReadAdapterInfo, MessageIcon::Error});
}

void TSetupForm::ShowError(std::uint32_t code) {
    if (auto text = ShowErrorText(HelperOf(platform_), code))
        Tell({"Error", *text, MessageIcon::Error});
}

// --- pages "Interfaces" and "Routes" ------------------------------------------

void TSetupForm::ShowTable(QTableWidget* table, const TableRefresh& result) {
    if (result.outcome == TableRefresh::Outcome::Replace)
        FillTable(table, result.rows);
    if (!result.message.empty())
        Tell({result.title, result.message,
              result.stopIcon ? MessageIcon::Error : MessageIcon::Warning});
}

void TSetupForm::RefreshInterfaceTable() {
    ShowTable(ui->lvIfTable, ReadInterfaceTable(HelperOf(platform_)));
}

void TSetupForm::RefreshRouteTable() {
    ShowTable(ui->lvFwTable, ReadRouteTable(HelperOf(platform_)));
}

void TSetupForm::pmIfMenuPopup() {
    RenewIP1->setEnabled(false);
    const int row = SelectedRow(ui->lvIfTable);
    if (row < 0)
        return;
    auto cell = [&](int column) {
        const QTableWidgetItem* item = ui->lvIfTable->item(row, column);
        return item ? item->text().toStdString() : std::string();
    };
    RenewIP1->setEnabled(RenewIpEnabled(true, cell(kIfStatusColumn), cell(kIfTypeColumn)));
}

void TSetupForm::RenewIP1Click() {
    const int row = SelectedRow(ui->lvIfTable);
    if (row < 0)
        return;
    if (DHCPWaitForm)
        DHCPWaitForm->show();
    const QTableWidgetItem* cell = ui->lvIfTable->item(row, kIfIndexColumn);
    RenewAdapterAddress(IndexOfCell(cell ? cell->text().toStdString() : std::string()));
    RefreshAdapterInfo();
    // The rebuilt hide list would otherwise lose every hidden connection, and
    // Ok would then store none.
    settings_.LoadHiddenInterfaces();
    ShowHideList();
    if (DHCPWaitForm)
        DHCPWaitForm->close();
}

} // namespace corvane::gui
