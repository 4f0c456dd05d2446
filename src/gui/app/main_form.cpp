#include "gui/app/main_form.h"

#include "core/app/host_address.h"
#include "core/app/tokenizer.h"
#include "core/setup/registry_exception.h"
#include "gui/about/about_form.h"
#include "gui/about/splash_form.h"
#include "gui/app/application.h"
#include "gui/app/icons.h"
#include "gui/dialogs.h"
#include "gui/lookup/lookup_form.h"
#include "gui/setup/setup_form.h"
#include "platform/address_file.h"
#include "platform/platform.h"
#include "platform/program_info.h"
#include "ui_main_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace corvane::gui {

int HostAddressState = 0;
std::string FirstHostAddress;
bool NetworksNotListed = false;
bool StickState = false;
ColumnWidths ColumnWidthCopy{};

void ResetProcessState() {
    HostAddressState = 0;
    FirstHostAddress.clear();
    NetworksNotListed = false;
    StickState = false;
    ColumnWidthCopy = {};
}

// Status bar panel 2, which the main window draws itself.
class StatusPanel : public QWidget {
  public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    StatusPanel(Painter painter, QWidget* parent) : QWidget(parent), painter_(std::move(painter)) {
        setMinimumWidth(50);
    }
    QString text;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter canvas(this);
        canvas.setFont(font());
        painter_(canvas, rect());
    }

  private:
    Painter painter_;
};

namespace {

constexpr int kItemBytes = Qt::UserRole;

// Record bytes as the list shows them: UTF-8 where they are, else Latin-1, so
// that a file from elsewhere still reads.
QString DisplayText(const std::string& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter) &&
        bytes.find("\xEF\xBF\xBD") == std::string::npos)
        return QString::fromLatin1(bytes);
    return text;
}

QTreeWidgetItem* NewItem(const RowTexts& row) {
    auto* item = new QTreeWidgetItem;
    for (int column = 0; column < kColumnCount; ++column) {
        const std::string& text = row[static_cast<std::size_t>(column)];
        item->setText(column, DisplayText(text));
        item->setData(column, kItemBytes, QByteArray::fromStdString(text));
    }
    return item;
}

} // namespace

TMainForm::TMainForm(Platform& platform, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::TMainForm), platform_(platform), dialogs_(dialogs) {
    ui->setupUi(this);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    ui->layoutToolBar->setContentsMargins(0, 2, 0, 2);
    ui->lvIP->header()->setSectionsClickable(true);
    ui->lvIP->header()->setSortIndicatorShown(false);
    ui->lvIP->installEventFilter(this);
    ui->lvIP->viewport()->installEventFilter(this);

    tUpdateTimer = new QTimer(this);
    tUpdateTimer->setObjectName("tUpdateTimer");
    tUpdateTimer->setInterval(250);
    connect(tUpdateTimer, &QTimer::timeout, this, &TMainForm::tUpdateTimerTimer);

    BindActions();
    BuildPopupMenu();
    BuildStatusBar();

    connect(ui->lvIP, &QTreeWidget::itemSelectionChanged, this, &TMainForm::lvIPSelectItem);
    connect(ui->lvIP->header(), &QHeaderView::sectionClicked, this, &TMainForm::lvIPColumnClick);
    connect(ui->lvIP, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1Popup();
        PopupMenu1->popup(ui->lvIP->viewport()->mapToGlobal(pos));
    });
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::BindActions() {
    const std::pair<QToolButton*, QAction*> buttons[] = {
        {ui->sbAdd, ui->acAdd},   {ui->sbEdit, ui->acEdit},   {ui->sbDelete, ui->acDelete},
        {ui->sbPing, ui->acPing}, {ui->sbStick, ui->acStick}, {ui->sbSetup, ui->acSetup},
        {ui->sbHelp, ui->acHelp}, {ui->sbAbout, ui->acAbout}, {ui->sbExit, ui->acExit},
        {ui->sbGo, ui->acGo},
    };
    for (auto [button, action] : buttons)
        button->setDefaultAction(action);

    using G = Icons::Glyph;
    const std::pair<QAction*, G> glyphs[] = {
        {ui->acAdd, G::Add},   {ui->acEdit, G::Edit},   {ui->acDelete, G::Delete},
        {ui->acPing, G::Ping}, {ui->acStick, G::Stick}, {ui->acSetup, G::Setup},
        {ui->acHelp, G::Help}, {ui->acAbout, G::About}, {ui->acExit, G::Exit},
        {ui->acGo, G::Go},     {ui->acCopy, G::Add},
    };
    for (auto [action, glyph] : glyphs)
        action->setIcon(Icons::GlyphIcon(glyph));

    const std::pair<QAction*, void (TMainForm::*)()> handlers[] = {
        {ui->acAdd, &TMainForm::acAddExecute},
        {ui->acCopy, &TMainForm::acCopyExecute},
        {ui->acEdit, &TMainForm::acEditExecute},
        {ui->acDelete, &TMainForm::acDeleteExecute},
        {ui->acHide, &TMainForm::acHideExecute},
        {ui->acReveal, &TMainForm::acRevealExecute},
        {ui->acStick, &TMainForm::acStickExecute},
        {ui->acSetup, &TMainForm::acSetupExecute},
        {ui->acHelp, &TMainForm::acHelpExecute},
        {ui->acAbout, &TMainForm::acAboutExecute},
        {ui->acExit, &TMainForm::acExitExecute},
        {ui->acLookup, &TMainForm::acLookupExecute},
        {ui->acGo, &TMainForm::acGoExecute},
        {ui->acPing, &TMainForm::acPingExecute},
        {ui->acDefaultWidth, &TMainForm::acDefaultWidthExecute},
    };
    for (auto [action, handler] : handlers) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    }
}

void TMainForm::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->setProperty("helpContext", 4000);
    PopupMenu1->addAction(ui->acAdd);
    PopupMenu1->addAction(ui->acCopy);
    PopupMenu1->addAction(ui->acEdit);
    PopupMenu1->addAction(ui->acDelete);
    PopupMenu1->addAction(ui->acHide);
    PopupMenu1->addAction(ui->acReveal);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ui->acDefaultWidth);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ui->acLookup);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ui->acExit);
    PopupMenu1->addAction(ui->acGo);
}

void TMainForm::BuildStatusBar() {
    auto panel = [this](int width) {
        auto* label = new QLabel(ui->sbStatusBar);
        label->setFixedWidth(width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        ui->sbStatusBar->addWidget(label);
        return label;
    };
    panel0_ = panel(350);
    panel0_->setObjectName("sbStatusBarPanel0");
    panel1_ = panel(120);
    panel1_->setObjectName("sbStatusBarPanel1");
    panel2_ = new StatusPanel(
        [this](QPainter& canvas, const QRect& rect) { sbStatusBarDrawPanel(canvas, rect); },
        ui->sbStatusBar);
    panel2_->setObjectName("sbStatusBarPanel2");
    ui->sbStatusBar->addWidget(panel2_, 1);
}

// ---- start-up -------------------------------------------------------------

void TMainForm::FormCreate() {
    UnsupportedSystem_ = false;
    if (!OperatingSystemSupported()) {
        dialogs_.ShowMessage(this, {"Corvane Error",
                                    "This software needs Windows 2000 or Windows XP, aborting.",
                                    MessageIcon::Error});
        UnsupportedSystem_ = true;
    }
    FirstShowPending_ = true;
    if (width() > 650) {
        const int w = (width() - 32) / 10;
        for (QToolButton* button : {ui->sbAdd, ui->sbEdit, ui->sbDelete, ui->sbPing, ui->sbStick,
                                    ui->sbSetup, ui->sbHelp, ui->sbAbout, ui->sbExit, ui->sbGo})
            button->setFixedWidth(w);
    }
    QImageReader reader(ShippedFile("corvane32.ico"));
    QImage icon = reader.read();
    if (icon.isNull()) {
        setWindowIcon(Icons::ApplicationIcon());
        if (Application)
            Application->ShowException("Cannot open file \"corvane32.ico\". " +
                                       reader.errorString().toStdString());
    } else {
        setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }
}

void TMainForm::setVisible(bool visible) {
    if (visible && !isVisible() && !inFormShow_) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        inFormShow_ = true;
        FormShow();
        inFormShow_ = false;
        if (aborting_)
            return;
    }
    QMainWindow::setVisible(visible);
}

void TMainForm::AbortStartUp() {
    aborting_ = true;
    if (isVisible())
        close();
    else if (Application)
        Application->Terminate();
}

void TMainForm::FormShow() {
    auto& settings = Tools().settings();
    QLabel* version = SplashForm->lblVersion();
    version->setText(version->text() + QString::fromStdString(AboutForm->FVersionText()));

    if (Tools().InitFailed()) {
        dialogs_.ShowMessage(this,
                             {"Initialisation error", Tools().InitError(), MessageIcon::Error});
        AbortStartUp();
        return;
    }
    Tools().ShowFirstPage();
    dialogs_.ShowModal(*SplashForm);

    if (FirstShowPending_) {
        if (UnsupportedSystem_) {
            AbortStartUp();
            return;
        }
        try {
            Tools().LoadSettings();
        } catch (const std::exception& error) {
            if (Application)
                Application->ShowException(error);
        }
        auto* header = ui->lvIP->headerItem();
        for (int i = 0; i < kColumnCount; ++i) {
            std::string caption = i < static_cast<int>(settings.lbColumnOrder.size())
                                      ? settings.lbColumnOrder[static_cast<std::size_t>(i)]
                                      : std::string();
            header->setText(i, DisplayText(caption));
            ui->lvIP->setColumnWidth(i, InitialColumnWidth(caption));
        }
        ConfigLines_.clear();
        SystemDirectory_ = corvane::SystemDirectory();
        if (!LoadAddressFile(ConfigLines_, settings.Checked(SettingsOption::cbMultipleIP),
                             AddressFile))
            dialogs_.ShowMessage(
                this, {"Corvane Error", "Couldn't read IP Address File.", MessageIcon::Error});

        const std::string addresses = UpdateHostAddress();
        if (NoUsableNetwork()) {
            dialogs_.ShowMessage(this, {"Corvane Error", "No usable network interface available.",
                                        MessageIcon::Error});
        } else {
            Tools().btnRefreshClick();
            RefreshList();
            if (!SelectActiveEntry()) {
                NetworksNotListed = true;
                if (ui->lvIP->topLevelItemCount() > 0)
                    ui->lvIP->setCurrentItem(ui->lvIP->topLevelItem(0));
            }
            tUpdateTimer->setInterval(settings.NicAutoUpdateInterval);
            if (settings.Checked(SettingsOption::cbAutoUpdate))
                tUpdateTimer->start();
            else
                tUpdateTimer->stop();
        }
        SetStatusPanel(2, QString::fromStdString(addresses));
        FirstShowPending_ = false;
        if (NetworksNotListed && !NoUsableNetwork())
            pendingOffer_ = addresses;
    } else if (!NoUsableNetwork()) {
        RefreshList();
    }

    ColumnWidths widths = CurrentColumnWidths();
    try {
        settings.LoadColumnWidths(widths);
    } catch (const std::exception& error) {
        if (Application)
            Application->ShowException(error);
    }
    for (int i = 0; i < kColumnCount; ++i)
        ui->lvIP->setColumnWidth(i, widths[static_cast<std::size_t>(i)]);

    if (NetworksNotListed && !NoUsableNetwork()) {
        OfferNewConnections(pendingOffer_);
        NetworksNotListed = false;
    }
}

void TMainForm::OfferNewConnections(const std::string& addresses) {
    if (dialogs_.ShowMessage(this, {"Corvane", "Network(s) not listed, add to list?\n" + addresses,
                                    MessageIcon::Question, MessageButtons::YesNo}) !=
        MessageResult::Yes)
        return;
    for (auto& record : NewConnectionRecords(Tools().AdapterSummaries()))
        ConfigLines_.push_back(std::move(record));
    RefreshList();
    SelectActiveEntry();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    QMainWindow::closeEvent(event);
}

// A start-up that ended early has applied no saved widths, so it saves none.
void TMainForm::FormClose() {
    tUpdateTimer->stop();
    if (!aborting_)
        Guarded([&] { Tools().settings().SaveColumnWidths(CurrentColumnWidths()); });
    if (Application)
        Application->Terminate();
}

// ---- the list -------------------------------------------------------------

ToolsWindow& TMainForm::Tools() const {
    return *SetupForm;
}

bool& TMainForm::NoUsableNetwork() const {
    return LookupForm->FNoUsableNetwork;
}

std::string TMainForm::Order() const {
    return NormalizedColumnOrder(Tools().settings().ColumnOrder);
}

ColumnWidths TMainForm::CurrentColumnWidths() const {
    ColumnWidths widths{};
    for (int i = 0; i < kColumnCount; ++i)
        widths[static_cast<std::size_t>(i)] = ui->lvIP->columnWidth(i);
    return widths;
}

RowTexts TMainForm::RowOf(const QTreeWidgetItem* item) const {
    RowTexts row;
    for (int column = 0; column < kColumnCount; ++column)
        row[static_cast<std::size_t>(column)] =
            item->data(column, kItemBytes).toByteArray().toStdString();
    return row;
}

void TMainForm::RefreshList() {
    HiddenCount_ = 0;
    currentItem_ = nullptr;
    ui->lvIP->clear();
    const auto& settings = Tools().settings();
    const std::string order = Order();
    ListRows list = BuildListRows(ConfigLines_, order, settings.lbHideInterface);
    HiddenCount_ = list.hiddenCount;
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(list.rows.size()));
    for (const auto& row : list.rows)
        items.append(NewItem(row));
    ui->lvIP->addTopLevelItems(items);
    if (!items.isEmpty())
        currentItem_ = items.back();

    const bool rows = !items.isEmpty();
    ui->acDelete->setEnabled(rows);
    ui->acEdit->setEnabled(rows);
    ui->acCopy->setEnabled(rows);
    ui->acGo->setEnabled(rows && HostAddressState != -1);

    if (int column = corvane::ColumnOfField(order, 4))
        ui->lvIP->headerItem()->setText(
            column - 1, QString::fromStdString(ConnectionColumnCaption(HiddenCount_)));
    ui->acReveal->setEnabled(HiddenCount_ > 0);
}

bool TMainForm::IsHiddenConnection(const std::string& name) const {
    return corvane::IsHiddenConnection(Tools().settings().lbHideInterface, name);
}

int TMainForm::ColumnOfField(int field) const {
    return corvane::ColumnOfField(Order(), field);
}

std::string TMainForm::ItemRowText(int row) const {
    const QTreeWidgetItem* item = ui->lvIP->topLevelItem(row);
    return item ? corvane::ItemRowText(RowOf(item)) : std::string();
}

std::optional<std::string> TMainForm::RecordOfItem(const QTreeWidgetItem* item) const {
    if (!item)
        return std::nullopt;
    const auto& settings = Tools().settings();
    return RecordOfRow(ConfigLines_, RowOf(item), Order(),
                       settings.Checked(SettingsOption::cbMultipleIP));
}

bool TMainForm::SelectedConnectionPresent() const {
    const auto selected = ui->lvIP->selectedItems();
    if (selected.isEmpty())
        return false;
    auto record = RecordOfItem(selected.front());
    if (!record)
        return false;
    return ConnectionPresent(Tools().settings().lbHideInterface, tokenizer(*record, ',').field(4));
}

void TMainForm::ApplyColumnCaptions() {
    const auto& captions = Tools().settings().lbColumnOrder;
    for (int i = 0; i < kColumnCount; ++i) {
        ui->lvIP->setColumnWidth(i, ColumnWidthCopy[static_cast<std::size_t>(i)]);
        if (i < static_cast<int>(captions.size()))
            ui->lvIP->headerItem()->setText(i, DisplayText(captions[static_cast<std::size_t>(i)]));
    }
}

void TMainForm::lvIPClick() {
    if (!ui->lvIP->selectedItems().isEmpty())
        return;
    if (QTreeWidgetItem* focused = ui->lvIP->currentItem())
        focused->setSelected(true);
}

void TMainForm::lvIPSelectItem() {
    const bool rows = ui->lvIP->topLevelItemCount() > 0;
    const bool selected = !ui->lvIP->selectedItems().isEmpty();
    ui->acGo->setEnabled(rows && HostAddressState != -1 && SelectedConnectionPresent());
    ui->acEdit->setEnabled(selected);
    ui->acCopy->setEnabled(selected);
    ui->acDelete->setEnabled(selected);
}

int TMainForm::lvIPCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const {
    return CompareRows(RowOf(item1), RowOf(item2), SortColumn_, SortDescending_);
}

void TMainForm::lvIPColumnClick(int column) {
    SortDescending_ = !SortDescending_;
    SortColumn_ = column;
    QTreeWidget* list = ui->lvIP;
    QTreeWidgetItem* focused = list->currentItem();
    const auto selected = list->selectedItems();
    QList<QTreeWidgetItem*> items;
    list->blockSignals(true);
    while (list->topLevelItemCount() > 0)
        items.append(list->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(),
                     [this](auto* a, auto* b) { return lvIPCompare(a, b) < 0; });
    list->addTopLevelItems(items);
    if (focused)
        list->setCurrentItem(focused, 0, QItemSelectionModel::NoUpdate);
    for (auto* item : selected)
        item->setSelected(true);
    list->blockSignals(false);
}

void TMainForm::lvIPKeyPress(int character) {
    if (character == 13)
        acGoExecute();
    if (character == 27)
        close();
    if (character == 32)
        SelectActiveEntry();
}

void TMainForm::PopupMenu1Popup() {
    lvIPClick();
    const bool selected = !ui->lvIP->selectedItems().isEmpty();
    ui->acGo->setEnabled(SelectedConnectionPresent() && HostAddressState > 0);
    ui->acHide->setEnabled(
        HideEnabled(Tools().settings().lbHideInterface, selected, ui->acGo->isEnabled()));
}

void TMainForm::acDefaultWidthExecute() {
    Guarded([&] {
        auto& settings = Tools().settings();
        for (int i = 0; i < kColumnCount; ++i) {
            ui->lvIP->setColumnWidth(i, kDefaultColumnWidths[static_cast<std::size_t>(i)]);
            ui->lvIP->headerItem()->setText(
                i, QString::fromStdString(
                       std::string(kDefaultColumnCaptions[static_cast<std::size_t>(i)])));
        }
        if (platform_.settings) {
            Settings captions(*platform_.settings);
            captions.ResetColumnOrder();
            captions.SaveColumnOrder();
        }
        settings.ResetColumnOrder();
        RefreshList();
        SelectActiveEntry();
        settings.SaveColumnOrder();
    });
}

// ---- host address and active entry ----------------------------------------

std::string TMainForm::UpdateHostAddress() {
    HostAddressReading reading;
    if (platform_.hostInfo)
        reading = ReadHostAddress(*platform_.hostInfo);
    else
        reading.failed = true;
    if (!reading.hostName.empty())
        SetStatusPanel(1, QString::fromStdString(reading.hostName));
    if (!reading.first.empty())
        FirstHostAddress = reading.first;
    HostAddressState = reading.state;
    NoUsableNetwork() = reading.failed;
    SetStatusPanel(2, QString::fromStdString(reading.text));
    return reading.text;
}

bool TMainForm::SelectActiveEntry() {
    if (NoUsableNetwork())
        return false;
    QTreeWidget* list = ui->lvIP;
    std::vector<RowTexts> rows;
    rows.reserve(static_cast<std::size_t>(list->topLevelItemCount()));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.push_back(RowOf(list->topLevelItem(i)));
    const int match = FindActiveEntry(Tools().AdapterSummaries(), rows, Order(), FirstHostAddress,
                                      Tools().settings().lbHideInterface);
    if (match < 0)
        return false;
    QTreeWidgetItem* item = list->topLevelItem(match);
    list->setCurrentItem(item);
    list->scrollToItem(item);
    return true;
}

void TMainForm::tUpdateTimerTimer() {
    if (!Tools().RefreshEnabled())
        return;
    const std::string text = UpdateHostAddress();
    if (text != LastAddressText_) {
        const bool usable = HostAddressState != -1;
        ui->acGo->setEnabled(usable);
        ui->acPing->setEnabled(usable);
        ui->acLookup->setEnabled(usable);
        Tools().btnRefreshClick();
        if (Tools().AdapterReadFailed()) {
            tUpdateTimer->stop();
            Tools().settings().SetChecked(SettingsOption::cbAutoUpdate, false);
        }
        SelectActiveEntry();
    }
    LastAddressText_ = text;
}

// ---- status bar -----------------------------------------------------------

void TMainForm::SetStatusPanel(int panel, const QString& text) {
    switch (panel) {
    case 0:
        panel0_->setText(text);
        break;
    case 1:
        panel1_->setText(text);
        break;
    default:
        panel2_->text = text;
        panel2_->repaint();
        break;
    }
}

QString TMainForm::StatusPanelText(int panel) const {
    switch (panel) {
    case 0:
        return panel0_->text();
    case 1:
        return panel1_->text();
    default:
        return panel2_->text;
    }
}

QColor TMainForm::sbStatusBarPanel2Colour() const {
    switch (HostAddressColour(HostAddressState)) {
    case AddressColour::Blue:
        return QColor(0, 0, 255);
    case AddressColour::Red:
        return QColor(255, 0, 0);
    default:
        return ui->sbStatusBar->palette().color(QPalette::WindowText);
    }
}

void TMainForm::sbStatusBarDrawPanel(QPainter& canvas, const QRect& rect) {
    canvas.setPen(sbStatusBarPanel2Colour());
    canvas.drawText(QRect(rect.left() + 1, rect.top() - 1, 4000, rect.height()),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, panel2_->text);
}

// ---- events ---------------------------------------------------------------

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        SetStatusPanel(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lvIP && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            lvIPKeyPress(13);
            return true;
        case Qt::Key_Escape:
            lvIPKeyPress(27);
            return true;
        case Qt::Key_Space:
            lvIPKeyPress(32);
            return true;
        default:
            return false;
        }
    }
    if (watched == ui->lvIP->viewport()) {
        // after the list has handled the click, which may have dropped the selection
        if (event->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, this, &TMainForm::lvIPClick);
        else if (event->type() == QEvent::MouseButtonDblClick)
            QTimer::singleShot(0, this, &TMainForm::acGoExecute);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- commands ---------------------------------------------------------------

void TMainForm::acHideExecute() {
    Guarded([&] {
        const auto selected = ui->lvIP->selectedItems();
        if (selected.isEmpty())
            return;
        const std::string connection =
            RowOf(selected.front())[static_cast<std::size_t>(ColumnOfField(4) - 1)];
        auto& hideList = Tools().settings().lbHideInterface;
        auto entry = std::find_if(hideList.begin(), hideList.end(), [&](const auto& e) {
            return !connection.empty() && e.text.find(connection) != std::string::npos;
        });
        if (entry != hideList.end()) {
            entry->checked = true;
            RefreshList();
        }
        if (!SelectActiveEntry() && ui->lvIP->topLevelItemCount() > 0)
            ui->lvIP->setCurrentItem(ui->lvIP->topLevelItem(0));
    });
}

void TMainForm::acRevealExecute() {
    Guarded([&] {
        for (auto& entry : Tools().settings().lbHideInterface)
            entry.checked = false;
        RefreshList();
        SelectActiveEntry();
    });
}

void TMainForm::acStickExecute() {
    const bool down = ui->acStick->isChecked();
    StickState = down;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, down);
    if (visible) {
        inFormShow_ = true; // a flag change re-shows the window; that is no new showing
        show();
        inFormShow_ = false;
    }
}

void TMainForm::acSetupExecute() {
    Guarded([&] {
        auto& settings = Tools().settings();
        ColumnWidthCopy = CurrentColumnWidths();
        settings.StayOnTop = StickState;
        const int result = dialogs_.ShowModal(*SetupForm);
        if (result == QDialog::Accepted) {
            if (Application)
                Application->SetShowHint(settings.Checked(SettingsOption::cbEnableHints));
            Tools().SaveSettings();
            RefreshList();
            UpdateHostAddress();
            SelectActiveEntry();
            if (settings.Checked(SettingsOption::cbAutoUpdate))
                tUpdateTimer->start();
            else
                tUpdateTimer->stop();
            ApplyColumnCaptions();
        } else {
            Tools().LoadSettings();
        }
    });
    ui->lvIP->setFocus();
}

void TMainForm::acHelpExecute() {
    if (Application)
        Application->HelpContext(1000);
}

void TMainForm::acAboutExecute() {
    dialogs_.ShowModal(*AboutForm);
    ui->lvIP->setFocus();
}

void TMainForm::acExitExecute() {
    if (!SaveAddressFile(ConfigLines_, AddressFile))
        dialogs_.ShowMessage(
            this, {"Corvane Error", "Couldn't write IP Address File.", MessageIcon::Warning});
    close();
}

// These arrive with the list editing commands, "Go!", the quick ping and the
// discovery window.
void TMainForm::acGoExecute() {}
void TMainForm::acAddExecute() {}
void TMainForm::acCopyExecute() {}
void TMainForm::acEditExecute() {}
void TMainForm::acDeleteExecute() {}
void TMainForm::acLookupExecute() {}
void TMainForm::acPingExecute() {}

} // namespace corvane::gui
