#include "macros/ui/MacroPage.h"

#include "base/Resources.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "device/DefaultImages.h"
#include "device/ProfileWriteBack.h"
#include "keys/KeyCodeTables.h"
#include "keys/KeyPageRules.h"
#include "macros/MacroAssignment.h"
#include "macros/MacroEditing.h"
#include "macros/MacroTransfer.h"
#include "pages/ui/ControlText.h"
#include "pages/ui/DigitsValidator.h"
#include "pages/ui/ScriptLineIcons.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>
#include <tuple>

namespace trvx {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string KeyNameOfUsage(std::uint8_t usage) {
    const std::string_view name = HidUsageToKeyName(usage);
    return name.empty() ? std::string("None") : std::string(name);
}

// What a key gets back when the device macro it pointed at is deleted: a profile key its own
// default function, a combination key its entry in the first default image.
KeyEntryBytes DefaultEntry(StorageKind kind, KeyEntryRef ref) {
    if (ref.profile >= 0)
        return LostMacroKeyEntry(ref.index + 1).bytes;
    KeyEntryBytes entry{};
    const auto& names =
        kind == StorageKind::Flash ? kDefaultFlashImageResources : kDefaultImageResources;
    const std::vector<std::uint8_t> image = LoadDefaultImage(kind, resource(names[0]));
    std::size_t at = 0;
    if (ref.profile >= 0) {
        const auto& profiles = kind == StorageKind::Flash ? flash::kProfiles : eeprom::kProfiles;
        at = profiles[static_cast<std::size_t>(ref.profile)].offset + 4 * ref.index;
    } else {
        const auto vendor = kind == StorageKind::Flash ? flash::kVendor : eeprom::kVendor;
        at = vendor.offset + kCombinationEntriesOffset + 4 * ref.index;
    }
    if (at + 4 <= image.size())
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), 4, entry.begin());
    return entry;
}

} // namespace

MacroPage::MacroPage(PageHost& host, QObject* parent) : Page(host, 4, parent) {}

MacroPage::~MacroPage() {
    // The capture lets go of the desktop with the window.
    if (capture_ != nullptr)
        capture_->Stop();
}

QListWidget* MacroPage::List(const char* name) const {
    return qobject_cast<QListWidget*>(Control(name));
}

int MacroPage::SelectedRow(const char* name) const {
    QListWidget* list = List(name);
    if (list == nullptr || list->selectedItems().isEmpty())
        return -1;
    return list->row(list->selectedItems().front());
}

void MacroPage::Wire() {
    // The name lists take the item height of the set.
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro"}) {
        SetListItemHeight(Control(name), Host().Layout().MacroNameHeight);
        if (QListWidget* list = List(name))
            list->viewport()->installEventFilter(this);
    }
    AlignNumberEdits(
        *this, {"Edt_Delay", "Edt_InsertDelay", "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"});

    if (QListWidget* list = List("LB_PCMacroName"))
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { LB_PCMacroNameClick(list->row(item)); });
    if (QListWidget* list = List("LB_MacroName"))
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { LB_MacroNameClick(list->row(item)); });
    if (QListWidget* list = List("LB_macro"))
        connect(list, &QListWidget::itemClicked, this, [this] { ClearMacro(); });

    const auto onClick = [this](const char* name, void (MacroPage::*handler)()) {
        if (auto* label = qobject_cast<TUniLabel*>(Control(name)))
            connect(label, &TUniLabel::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick("Btn_AddMacro", &MacroPage::Btn_AddMacroClick);
    onClick("Btn_DelMacro", &MacroPage::Btn_DelMacroClick);
    onClick("Btn_SaveMacro", &MacroPage::Btn_SaveMacroClick);
    onClick("Btn_NewMacro", &MacroPage::Btn_NewMacroClick);
    onClick("Btn_New", &MacroPage::Btn_NewMacroClick);
    onClick("Btn_NewName", &MacroPage::Btn_NewNameClick);
    onClick("Btn_DelPCMacro", &MacroPage::Btn_DelPCMacroClick);
    onClick("Btn_Start", &MacroPage::Btn_StartClick);
    onClick("Btn_Del", &MacroPage::Btn_DelClick);
    onClick("Btn_Import", &MacroPage::Btn_ImportClick);
    onClick("Btn_ImportOne", &MacroPage::Btn_ImportOneClick);
    onClick("Btn_Export", &MacroPage::Btn_ExportClick);
    onClick("Btn_ExportOne", &MacroPage::Btn_ExportOneClick);
    onClick("Btn_DevExport", &MacroPage::Btn_DevExportClick);
    onClick("Btn_Edit", &MacroPage::Btn_EditClick);
    // A radio is chosen by its picture label or by the text beside it.
    for (const auto& [label, text, mode] :
         {std::tuple{"IB_RecDelay", "lbl_Record_Delay", MacroDelayMode::Recorded},
          std::tuple{"IB_DelayTime", "lbl_Delay_Setting", MacroDelayMode::Fixed},
          std::tuple{"IB_NoDelay", "lbl_No_Delay", MacroDelayMode::None}})
        for (const char* name : {label, text})
            if (auto* l = qobject_cast<TUniLabel*>(Control(name)))
                connect(l, &TUniLabel::clicked, this, [this, m = mode] { SetDelayMode(m); });
    // Over the record buttons the left button is not recorded: the click that stops a
    // recording leaves no line.
    for (const char* name : {"Btn_Start", "Btn_New", "Btn_InsertStart"})
        if (auto* l = qobject_cast<TUniLabel*>(Control(name))) {
            connect(l, &TUniLabel::mouseEnter, this, [this] { recorder_.SetSkipLeftButton(true); });
            connect(l, &TUniLabel::mouseLeave, this,
                    [this] { recorder_.SetSkipLeftButton(false); });
        }
    // The picture buttons show their hover picture under the pointer.
    for (const char* stem : {"New", "Start", "InsertStart", "SaveMacro"})
        WireHoverButton(std::string("Btn_") + stem, std::string("Img_") + stem, "MacroS_02",
                        "MacroS_01");
    for (const char* name : {"Edt_Delay", "Edt_InsertDelay"})
        if (auto* edit = qobject_cast<QLineEdit*>(Control(name)))
            connect(edit, &QLineEdit::textChanged, this, [edit] {
                const QString text = edit->text();
                bool ok = false;
                const long value = text.toLong(&ok);
                if (!ok)
                    return;
                const QString clamped = QString::number(std::clamp<long>(value, 1, 65535));
                // A corrected text runs this handler again: return right after correcting.
                if (clamped != text)
                    edit->setText(clamped);
            });
    // Number edits: the delays take five digits and start at 50 ms; the repeat count digits;
    // the move offsets a sign too.
    for (const char* name :
         {"Edt_Delay", "Edt_InsertDelay", "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"})
        if (auto* edit = qobject_cast<QLineEdit*>(Control(name))) {
            const bool signedValue = std::string_view(name).find("Axis") != std::string_view::npos;
            edit->setValidator(new DigitsValidator(signedValue, signedValue ? 3 : 5, edit));
            if (std::string_view(name).find("Delay") != std::string_view::npos)
                edit->setText(QStringLiteral("50"));
        }
    if (QWidget* delay = Control("Edt_Delay"))
        delay->setEnabled(false);

    // The device macro list of the key-function menu gives the button whose menu is open a
    // macro.
    for (int key = 1; key <= 12; ++key)
        if (auto* label = qobject_cast<TUniLabel*>(Control(NumberedName("Key", key))))
            connect(label, &TUniLabel::clicked, this, [this, key] { editedKey_ = key; });
    if (QListWidget* list = List("LB_Name"))
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            AssignMacroToKey(editedKey_, list->row(item));
        });

    WireInsertPanel();
    DrawListRows();
    DrawPickLists();
    // The pop-up menus' items: white on the selection colour under the pointer.
    for (const char* name : {"Btn_NewMacro", "Btn_NewName", "Btn_DelPCMacro", "Btn_AddMacro",
                             "Btn_ImportOne", "Btn_ExportOne", "Btn_Import", "Btn_Export",
                             "Btn_DelMacro", "Btn_DevExport", "Btn_Edit", "Btn_Insert", "Btn_Del"})
        if (auto* item = qobject_cast<TUniLabel*>(Control(name))) {
            connect(item, &TUniLabel::mouseEnter, this, [this, item] {
                const Rgb back = Host().Layout().ColorMacro;
                item->SetTransparent(false);
                item->SetColor(QColor(back.R, back.G, back.B));
                item->SetFontColor(Qt::white);
            });
            connect(item, &TUniLabel::mouseLeave, this, [this, item] {
                const Rgb back = Host().Layout().ColorFBack;
                const Rgb text = Host().Layout().ColorFFont;
                item->SetTransparent(false);
                item->SetColor(QColor(back.R, back.G, back.B));
                item->SetFontColor(QColor(text.R, text.G, text.B));
            });
        }

    CheckPCMacro();
}

void MacroPage::DrawListRows() {
    // The selected row keeps its colour when the list has no focus. A script row starts with
    // its line's icon; its text stands clear of the icon column, at the row's top.
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro"}) {
        auto* list = qobject_cast<TUniListBox*>(Control(name));
        if (list == nullptr)
            continue;
        const bool script = std::string_view(name) == "LB_macro";
        list->setFrameShape(QFrame::NoFrame);
        list->OnDrawItem = [this, list, script](QPainter& painter, int index, const QRect& rect,
                                                bool selected) {
            const LayoutValues& v = Host().Layout();
            const Rgb back = selected ? v.ColorMacro : v.ColorFLBack;
            painter.fillRect(rect, QColor(back.R, back.G, back.B));
            if (index < 0 || index >= list->count())
                return;
            if (script)
                DrawScriptLineIcon(painter, rect, MacroItemType(script_, index), v.ColorFLBack);
            painter.setPen(QColor(v.ColorFFont.R, v.ColorFFont.G, v.ColorFFont.B));
            painter.setFont(list->font());
            painter.drawText(rect.adjusted(script ? 35 : 4, 0, 0, 0),
                             Qt::TextSingleLine | Qt::AlignLeft |
                                 (script ? Qt::AlignTop : Qt::AlignVCenter),
                             list->item(index)->text());
        };
    }
}

void MacroPage::DrawPickLists() {
    // The key menu's pick lists: rows in the menu's colours, the row under the pointer in its
    // hover colours. The row stays marked when the pointer leaves, until it moves over a row of
    // either list again.
    for (const char* name : {"LB_Name", "LB_Script"}) {
        auto* list = qobject_cast<SkinListBox*>(Control(name));
        if (list == nullptr)
            continue;
        list->setMouseTracking(true);
        list->viewport()->setMouseTracking(true);
        list->viewport()->installEventFilter(this);
        list->setDrawItemHandler(
            [this, list](QPainter& painter, int index, const QRect& rect, SkinListBox::ItemState) {
                const LayoutValues& v = Host().Layout();
                const bool hover = hoverItem_ == index + 1;
                const Rgb back = hover ? v.ColorGSP : v.ColorGBack;
                const Rgb text = hover ? v.ColorGSF : v.ColorG;
                painter.fillRect(rect, QColor(back.R, back.G, back.B));
                if (index < 0 || index >= list->count())
                    return;
                painter.setPen(QColor(text.R, text.G, text.B));
                painter.setFont(list->font());
                painter.drawText(rect.adjusted(4, 4, 0, 0), Qt::TextSingleLine | Qt::AlignLeft,
                                 list->item(index)->text());
            });
    }
}

void MacroPage::AssignMacroToKey(int key, int row) {
    Host().HideAllMenu();
    for (const char* menu : {"Pnl_Main", "LB_Name"})
        if (QWidget* w = Control(menu))
            w->hide();
    const std::optional<std::uint16_t> start = DeviceMacroStart(row);
    QWidget* caption = Control(NumberedName("Key", key));
    if (!start || caption == nullptr || !caption->isVisibleTo(caption->window()))
        return;
    std::vector<std::string> captions;
    for (int k = 1; k <= 12; ++k)
        captions.push_back(ControlCaption(Control(NumberedName("Key", k))).toStdString());
    if (IsLastLeftButton(captions, key, Host().LangText("Str210")))
        return;
    int profile = 1;
    for (int p = 1; p <= 3; ++p)
        if (auto* radio = qobject_cast<QAbstractButton*>(Control(NumberedName("rb_", p)));
            radio != nullptr && radio->isChecked())
            profile = p;
    SetControlCaption(caption, Q(DeviceMacroNames()[static_cast<std::size_t>(row)]));
    Host().Model().SetProfileKey(profile, key, DeviceMacroKeyEntry(*start));
    if (Filling())
        return;
    PageHost::TransferScope scope(Host());
    WriteProfiles(Host().Mouse(), Host().Model());
}

void MacroPage::CheckPCMacro() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    const auto file = PCMacroLibraryPath(Host().Settings().PCMacroFolder, folder.toStdString());
    const LibraryResult result = library_.CheckPCMacro(file);
    if (!result.message.empty())
        Host().ShowMessage(Q(result.message));
    RefreshLibraryList(-1);
}

void MacroPage::RefreshLibraryList(int selectRow) {
    QStringList rows;
    for (const std::string& name : library_.RefreshPCMacroName())
        rows << Q(name);
    SetControlItems(Control("LB_PCMacroName"), rows);
    if (QListWidget* list = List("LB_PCMacroName");
        list != nullptr && selectRow >= 0 && selectRow < list->count()) {
        list->setCurrentRow(selectRow);
        list->scrollToItem(list->item(selectRow));
    }
}

std::vector<std::string> MacroPage::DeviceMacroNames() const {
    if (deviceKind_ == StorageKind::I2C)
        return eeprom_.RefreshMacroName4480();
    if (deviceKind_ == StorageKind::Flash)
        return const_cast<FlashMacroStore&>(flash_).RefreshMacroName();
    return {};
}

std::optional<std::uint16_t> MacroPage::DeviceMacroStart(int row) const {
    const int count = static_cast<int>(DeviceMacroNames().size());
    if (row < 0 || row >= count)
        return std::nullopt;
    if (deviceKind_ == StorageKind::I2C)
        return eeprom_.DevMacroStarts[static_cast<std::size_t>(row)];
    return static_cast<std::uint16_t>(kFlashMacroBodiesAddress + 256 * row);
}

void MacroPage::RefreshDeviceList(int selectRow) {
    QStringList rows;
    for (const std::string& name : DeviceMacroNames())
        rows << Q(name);
    SetControlItems(Control("LB_MacroName"), rows);
    // The key page's macro menu lists the same macros.
    SetControlItems(Control("LB_Name"), rows);
    if (QListWidget* list = List("LB_MacroName");
        list != nullptr && selectRow >= 0 && selectRow < list->count())
        list->setCurrentRow(selectRow);
}

void MacroPage::FillFromImage(StorageKind kind) {
    deviceKind_ = kind;
    const WorkingSections& sections = Host().Model().Sections();
    if (kind == StorageKind::I2C) {
        eeprom_ = EepromMacroStore{};
        const MacroStoreError error = eeprom_.ReadAndRefreshMacro4480(sections.MacroArea);
        if (error != MacroStoreError::None)
            Host().ShowMessage(Q(Host().LangText("Str103")));
    } else if (kind == StorageKind::Flash) {
        flash_.Load(sections.FlashMacroNames, sections.FlashMacroBodies);
    }
    ClearEditor();
    RefreshDeviceList(-1);
}

void MacroPage::FillNoDevice() {
    if (insertRecording_)
        StopInsertRecording();
    if (recorder_.Active())
        StopRecording();
    if (insertPanelOpen_)
        CloseInsertPanel();
    deviceKind_ = StorageKind::None;
    eeprom_ = EepromMacroStore{};
    flash_ = FlashMacroStore{};
    ClearEditor();
    for (const char* name : {"LB_MacroName", "LB_Name", "LB_macro"}) {
        if (auto* wide = qobject_cast<TUniListBox*>(Control(name)))
            wide->Items().Clear();
        else
            SetControlItems(Control(name), {});
    }
}

void MacroPage::ClearMacro() {
    for (const char* name : {"Pnl_PCMacro", "Pnl_DevMacro", "Pnl_DevContent", "Pnl_DevFireMacro",
                             "Pnl_DevFireContent"})
        if (QWidget* w = Control(name))
            w->hide();
}

void MacroPage::CloseLineDialogs() {
    keyDialog_.Close();
    delayDialog_.Close();
}

void MacroPage::ClearEditor() {
    // A key or delay chosen for a line of the script that is going away has nowhere to go.
    CloseLineDialogs();
    script_.clear();
    scriptFromLibrary_ = false;
    SetControlItems(Control("LB_macro"), {});
}

void MacroPage::ShowScript() {
    // The lines may have moved: a dialog opened for one of them would edit another.
    CloseLineDialogs();
    QStringList rows;
    for (std::size_t i = 1; i < script_.size(); ++i)
        rows << Q(MacroLineDrawText(script_[i]));
    SetControlItems(Control("LB_macro"), rows);
}

void MacroPage::LB_PCMacroNameClick(int row) {
    ClearMacro();
    if (QListWidget* device = List("LB_MacroName"))
        device->clearSelection();
    ClearEditor();
    if (row < 0 || row >= library_.Count())
        return;
    library_.CurrentPCMacro = row;
    const MacroBody& body = library_.PCMacroBodies[static_cast<std::size_t>(row)];
    if (const auto end = MacroBodyEnd(body))
        library_.PCMacroLengths[static_cast<std::size_t>(row)] = static_cast<std::uint16_t>(*end);
    const std::size_t length = library_.PCMacroLengths[static_cast<std::size_t>(row)];
    scriptFromLibrary_ = true;
    if (length <= 1) {
        script_ = {DelayHeaderLine(MacroDelayMode::None)};
        return;
    }
    script_ = MacroBodyToScript(body, length, KeyNameOfUsage).lines;
    ShowScript();
}

void MacroPage::LB_MacroNameClick(int row) {
    ClearMacro();
    if (QListWidget* library = List("LB_PCMacroName"))
        library->clearSelection();
    ClearEditor();
    if (row < 0)
        return;
    if (deviceKind_ == StorageKind::I2C && row < eeprom_.Count()) {
        const auto body = eeprom_.Body(row);
        if (!body.empty())
            script_ = MacroBodyToScript(body, body.size(), KeyNameOfUsage).lines;
    } else if (deviceKind_ == StorageKind::Flash && row < flash_.RowCount()) {
        const std::uint16_t length = flash_.ListingLength(row);
        if (length > 1)
            script_ = MacroBodyToScript(flash_.FlashMacroBodies[static_cast<std::size_t>(row)],
                                        length, KeyNameOfUsage)
                          .lines;
    }
    ShowScript();
}

void MacroPage::Btn_AddMacroClick() {
    const int row = SelectedRow("LB_PCMacroName");
    if (row < 0 || row >= library_.Count())
        return;
    ClearMacro();
    ClearEditor();
    const auto& name = library_.PCMacroNames[static_cast<std::size_t>(row)];
    const auto& body = library_.PCMacroBodies[static_cast<std::size_t>(row)];
    MacroStoreError error = MacroStoreError::NoSuchMacro;
    if (deviceKind_ == StorageKind::I2C)
        error = eeprom_.Add(name, body);
    else if (deviceKind_ == StorageKind::Flash)
        error = flash_.Add(name, body);
    else
        return;
    switch (error) {
    case MacroStoreError::None:
        break;
    case MacroStoreError::Duplicate:
        Host().ShowMessage(Q(Host().LangText("Str106")));
        return;
    case MacroStoreError::Full:
        Host().ShowMessage(Q(Host().LangText("Str104")));
        return;
    default:
        Host().ShowMessage(Q(Host().LangText("Str103")));
        return;
    }
    Btn_SaveMacroClick();
    RefreshDeviceList(static_cast<int>(DeviceMacroNames().size()) - 1);
}

void MacroPage::Btn_DelMacroClick() {
    const int row = SelectedRow("LB_MacroName");
    if (row < 0)
        return;
    ClearMacro();
    ClearEditor();
    std::vector<MacroAddressMove> moves;
    MacroStoreError error = MacroStoreError::NoSuchMacro;
    if (deviceKind_ == StorageKind::I2C)
        error = eeprom_.Delete(row, moves);
    else if (deviceKind_ == StorageKind::Flash)
        error = flash_.Delete(row, moves);
    if (error != MacroStoreError::None)
        return;
    SaveMacroStore(moves);
    const int rows = static_cast<int>(DeviceMacroNames().size());
    RefreshDeviceList(rows == 0 ? -1 : std::max(row - 1, 0));
}

void MacroPage::SaveMacroStore(const std::vector<MacroAddressMove>& moves) {
    if (Filling() || deviceKind_ == StorageKind::None ||
        Host().Mouse().AcceptedStorage() == StorageKind::None)
        return;
    WorkingSections& sections = Host().Model().EditSections();
    MacroSaveSections save{sections.ProfileSection, sections.VendorSection,
                           sections.FlashSettingsHead, sections.ProfileTailBlock};
    const StorageKind kind = deviceKind_;
    {
        PageHost::TransferScope scope(Host());
        Host().ShowDisableAll();
        Host().ShowBusy();
        ::trvx::Btn_SaveMacroClick(Host().Mouse(), kind, save, eeprom_, flash_, moves,
                                   [kind](KeyEntryRef ref) { return DefaultEntry(kind, ref); });
        Host().HideBusy();
        Host().HideDisableAll();
    }
    // The working image keeps what the mouse now holds.
    if (kind == StorageKind::I2C) {
        sections.MacroArea = eeprom_.MacroArea;
    } else {
        sections.FlashMacroNames = flash_.FlashMacroNames;
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
            std::copy_n(
                flash_.FlashMacroBodies[i].begin(),
                std::min(flash_.FlashMacroBodies[i].size(), sections.FlashMacroBodies[i].size()),
                sections.FlashMacroBodies[i].begin());
    }
    Host().KeyEntriesChanged();
}

void MacroPage::OpenNameDialog() {
    auto* dialog = nameDialog_.Replace(new MacroNameDialog(Host(), Control("gbPage4")));
    connect(dialog, &MacroNameDialog::confirmed, this,
            [this](const QString& name) { ApplyPCMacroName(name.toStdString()); });
    // Closed, or confirmed with a name that changed nothing: the next opening starts afresh.
    connect(dialog, &SmallDialog::finished, this, [this] {
        library_.NewMacroPending = false;
        library_.RenameMacroPending = false;
    });
    dialog->Open();
}

void MacroPage::ApplyPCMacroName(const std::string& name) {
    // The dialog is not modal: the rename goes to the row selected now.
    int row = SelectedRow("LB_PCMacroName");
    const bool adding = library_.NewMacroPending;
    const LibraryResult result = library_.ApplyPCMacroName(name, row);
    ShowLibraryResult(result);
    RefreshLibraryList(row);
    if (adding && result.ok() && row >= 0)
        LB_PCMacroNameClick(row);
}

void MacroPage::ShowLibraryResult(const LibraryResult& result) {
    switch (result.status) {
    case LibraryStatus::Duplicate:
        Host().ShowMessage(Q(Host().LangText("Str106")));
        break;
    case LibraryStatus::Full:
        Host().ShowMessage(Q(Host().LangText("Str104")));
        break;
    case LibraryStatus::FileError:
    case LibraryStatus::BadFile:
        Host().ShowMessage(Q(result.message));
        break;
    default:
        break;
    }
}

void MacroPage::Btn_NewMacroClick() {
    ClearMacro();
    if (library_.IsFull())
        return;
    // An earlier opening still on screen goes first, and its action with it.
    nameDialog_.Close();
    library_.Btn_NewMacroClick();
    ClearEditor();
    OpenNameDialog();
}

void MacroPage::Btn_NewNameClick() {
    ClearMacro();
    const int row = SelectedRow("LB_PCMacroName");
    if (row < 0 || row >= library_.Count())
        return;
    nameDialog_.Close();
    library_.Btn_NewNameClick(row);
    OpenNameDialog();
}

void MacroPage::Btn_DelPCMacroClick() {
    ClearMacro();
    const int row = SelectedRow("LB_PCMacroName");
    if (row < 0)
        return;
    ClearEditor();
    int select = -1;
    ShowLibraryResult(library_.Btn_DelPCMacroClick(row, select));
    RefreshLibraryList(select);
}

void MacroPage::Btn_DelClick() {
    const int item = SelectedRow("LB_macro");
    if (item < 0)
        return;
    ClearMacro();
    const LineDeletion deletion = DeleteScriptItem(script_, item);
    if (deletion.partnerMissing)
        Host().ShowMessage(QStringLiteral("Macro Content Error"));
    ShowScript();
    if (QListWidget* list = List("LB_macro"); list != nullptr && deletion.selectItem >= 0)
        list->setCurrentRow(deletion.selectItem);
    CompileAndSave();
}

void MacroPage::Btn_EditClick() {
    const int item = SelectedRow("LB_macro");
    ClearMacro();
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script_.size())
        return;
    QWidget* over = Control("gbPage4");
    // The open script may have changed since a dialog opened: its confirm changes the line only
    // while that is still of the kind the dialog edits.
    if (script_[line].rfind("1 ", 0) == 0 || script_[line].rfind("2 ", 0) == 0) {
        // A press or release: one key from the key-line dialog.
        auto* dialog = keyDialog_.Replace(new KeyLineDialog(Host(), over));
        connect(dialog, &KeyLineDialog::confirmed, this,
                [this](int edited, const QString& name, int usage) {
                    if (ReplaceKeyLinePair(script_, edited, name.toStdString(),
                                           static_cast<std::uint8_t>(usage))
                            .changed)
                        ShowEditedLine(edited);
                });
        dialog->Open(item);
    } else if (script_[line].rfind("0 ", 0) == 0) {
        auto* dialog = delayDialog_.Replace(new DelayDialog(Host(), over));
        connect(dialog, &DelayDialog::confirmed, this, [this](int edited, int milliseconds) {
            if (ReplaceDelayLine(script_, edited, static_cast<std::uint16_t>(milliseconds)))
                ShowEditedLine(edited);
        });
        dialog->Open(item);
    }
}

void MacroPage::ShowEditedLine(int item) {
    ShowScript();
    if (QListWidget* list = List("LB_macro"))
        list->setCurrentRow(item);
    CompileAndSave();
}

void MacroPage::CompileAndSave() {
    const int row = SelectedRow("LB_PCMacroName");
    if (!scriptFromLibrary_ || row < 0 || row >= library_.Count())
        return;
    const CompileResult compiled = CompilePCMacroScript(script_);
    if (!compiled.macro) {
        Host().ShowMessage(Q(Host().LangText("Str103")));
        return;
    }
    library_.ApplyCompiled(row, *compiled.macro);
    ShowLibraryResult(library_.RefreshPCMacro());
}

void MacroPage::ShowPopup(const char* panel, QWidget* list, QPoint at, bool upward) {
    QWidget* menu = Control(panel);
    if (menu == nullptr || menu->parentWidget() == nullptr)
        return;
    ClearMacro();
    QPoint pos = list->mapTo(menu->parentWidget(), at);
    if (upward && pos.y() + menu->height() > menu->parentWidget()->height())
        pos.ry() -= menu->height();
    menu->move(pos);
    menu->raise();
    menu->show();
}

bool MacroPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (const char* name : {"LB_Name", "LB_Script"}) {
            QListWidget* list = List(name);
            if (list == nullptr || watched != list->viewport())
                continue;
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            // Below the last row the mark goes to a row that does not exist: none shows.
            const QModelIndex top = list->indexAt(QPoint(1, 1));
            auto* skinned = qobject_cast<SkinListBox*>(list);
            const int rowHeight = std::max(1, skinned != nullptr ? skinned->itemHeight() : 1);
            const int hover = (top.isValid() ? top.row() : 0) + at.y() / rowHeight + 1;
            if (hover != hoverItem_) {
                hoverItem_ = hover;
                for (const char* other : {"LB_Name", "LB_Script"})
                    if (QListWidget* l = List(other))
                        l->viewport()->update();
            }
        }
        return Page::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return Page::eventFilter(watched, event);
    const char* names[] = {"LB_PCMacroName", "LB_MacroName", "LB_macro"};
    for (const char* name : names) {
        QListWidget* list = List(name);
        if (list == nullptr || watched != list->viewport())
            continue;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        QListWidgetItem* item = list->itemAt(at);
        const std::string_view which = name;
        if (event->type() == QEvent::MouseButtonPress) {
            if (which == "LB_PCMacroName")
                if (QListWidget* other = List("LB_MacroName"))
                    other->clearSelection();
            if (which == "LB_MacroName")
                if (QListWidget* other = List("LB_PCMacroName"))
                    other->clearSelection();
            if (item == nullptr) {
                // Below the last row: nothing is selected.
                list->clearSelection();
                ClearMacro();
                return true;
            }
            if (mouse->button() == Qt::RightButton) {
                // The row under a right press is chosen as by a left click.
                list->setCurrentItem(item);
                emit list->itemClicked(item);
                return true;
            }
        } else if (mouse->button() == Qt::RightButton) {
            if (which == "LB_PCMacroName")
                ShowPopup("Pnl_PCMacro", list->viewport(), at, true);
            else if (which == "LB_MacroName")
                ShowPopup("Pnl_DevMacro", list->viewport(), at, false);
            else if (SelectedRow("LB_PCMacroName") >= 0 && SelectedRow("LB_macro") >= 0)
                ShowPopup("Pnl_DevContent", list->viewport(), at, false);
            return true;
        }
    }
    return Page::eventFilter(watched, event);
}

void MacroPage::Shown(int) {
    ShowEditorBoxes();
}

void MacroPage::ShowEditorBoxes() {
    if (QWidget* w = Control("Gb_Delay"))
        w->setVisible(!insertPanelOpen_);
    if (QWidget* w = Control("Gb_Insert"))
        w->setVisible(insertPanelOpen_);
    if (QWidget* w = Control("Img_InsertBase"))
        w->setVisible(insertPanelOpen_);
}

void MacroPage::LanguageSwitching() {
    auto* insert = qobject_cast<QComboBox*>(Control("CB_Insert"));
    insertIndex_ = insert != nullptr ? insert->currentIndex() : -1;
}

void MacroPage::LanguageChanged() {
    if (QWidget* delay = Control("Gb_Delay"))
        delay->hide();
    if (auto* insert = qobject_cast<QComboBox*>(Control("CB_Insert")))
        insert->setCurrentIndex(insertIndex_);
}

} // namespace trvx
