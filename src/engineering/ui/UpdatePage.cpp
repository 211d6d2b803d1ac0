#include "engineering/ui/UpdatePage.h"

#include "base/Resources.h"
#include "device/DefaultImageSet.h"
#include "device/DefaultImages.h"
#include "engineering/ImageTransfer.h"
#include "pages/ui/ControlText.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace trvx {

namespace {

// The engineering page's buttons stay disabled while the coded defaults are written.
constexpr const char* kEngineerButtons[] = {
    "Btn_Main_6",  "Btn_Switch_6",        "Btn_Fixed_6",        "Btn_Adv_6",    "Btn_Breath_6",
    "Btn_Macro_6", "Btn_Update_6",        "Btn_Engineer_6",     "Btn_Default",  "Btn_Load_6",
    "Btn_Save_6",  "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "Btn_PatchCode"};

const QString kImageFilter = QStringLiteral("LoadFile(*.bin)");

} // namespace

UpdatePage::UpdatePage(PageHost& host, QObject* parent) : Page(host, 5, parent) {}

void UpdatePage::Wire() {
    for (int n = 1; n <= 3; ++n)
        for (int copy = 1; copy <= 5; ++copy)
            if (QWidget* w =
                    Control("Btn_Confirm" + std::to_string(n) + "_" + std::to_string(copy)))
                if (w->metaObject()->indexOfSignal("clicked()") >= 0)
                    connect(w, SIGNAL(clicked()), this,
                            n == 1   ? SLOT(confirm1())
                            : n == 2 ? SLOT(confirm2())
                                     : SLOT(confirm3()));
    if (QWidget* w = Control("Btn_LoadBIN"))
        connect(w, SIGNAL(clicked()), this, SLOT(loadBin()));
    if (QWidget* w = Control("Btn_Program"))
        connect(w, SIGNAL(clicked()), this, SLOT(program()));
    for (const char* stem : {"LoadBIN", "Program"})
        WireHoverButton(std::string("Btn_") + stem, std::string("Img_") + stem, "KeyS_02",
                        "KeyS_01");
    // The engineering page's restore and patch buttons.
    if (QWidget* w = Control("Btn_Default"))
        connect(w, SIGNAL(clicked()), this, SLOT(restoreCoded()));
    if (QWidget* w = Control("Btn_PatchCode"))
        connect(w, SIGNAL(clicked()), this, SLOT(patchCode()));
}

void UpdatePage::Shown(int) {
    // A patch file must be loaded again before it is programmed.
    SetControlCaption(Control("lbl_LoadBIN"), QString());
    patchFileLoaded_ = false;
}

void UpdatePage::FrameButtonClick(std::string_view family) {
    if (family == "Save")
        Btn_Save_0Click();
    else if (family == "Load")
        Btn_Load_0Click();
}

QString UpdatePage::Text(const char* key) const {
    return QString::fromStdString(Host().CaptionSet().Text(key));
}

StorageKind UpdatePage::MouseOrMessage() {
    const StorageKind kind = Host().Mouse().AcceptedStorage();
    if (kind == StorageKind::None || !Host().Link().IsOpen()) {
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str022")));
        return StorageKind::None;
    }
    // A mouse still being read or written under the covers takes no second transfer.
    if (const QWidget* cover = Control("Disable_All_1"); cover != nullptr && !cover->isHidden())
        return StorageKind::None;
    return kind;
}

std::optional<std::vector<std::uint8_t>> UpdatePage::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Host().ShowMessage(Text("Str481"));
        return std::nullopt;
    }
    // Larger than any image or patch file: not one of ours, and not read whole.
    if (file.size() > static_cast<qint64>(kFlashImageSize))
        return std::vector<std::uint8_t>(kFlashImageSize + 1, 0);
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// ---- Whole-image writes ----------------------------------------------------------------------

void UpdatePage::SendAndReset(std::vector<BlockWrite> writes, bool nothingToWrite) {
    Host().RunDeviceJob([this, writes = std::move(writes), nothingToWrite] {
        const bool ok = nothingToWrite || SendBlockWrites(Host().Mouse(), writes);
        QMetaObject::invokeMethod(
            this,
            [this, ok] {
                Host().HideBusy();
                for (const char* name : kEngineerButtons)
                    if (QWidget* w = Control(name))
                        w->setEnabled(true);
                if (QWidget* result = Control("Img_Result"))
                    result->show();
                if (!ok)
                    Host().ShowMessage(Text("Str480"));
            },
            Qt::QueuedConnection);
        Host().ResetAndReconnect();
    });
}

void UpdatePage::MemoToDataBuf(StorageKind kind, const std::vector<std::uint8_t>& image) {
    Host().HideAllMenu();
    Host().SetPolling(false);
    Host().ShowDisableAll();
    Host().ShowBusy();
    {
        PageHost::FillingScope filling(Host());
        if (!Host().Model().LoadImage(kind, image, Host().SectionDefaults(kind))) {
            // Checked before: not reached with a sound image, but never leave the window locked.
            Host().HideBusy();
            Host().HideDisableAll();
            Host().SetPolling(true);
            return;
        }
        Host().RefreshPages(kind);
    }
    WriteWorkingImage(kind);
}

void UpdatePage::WriteWorkingImage(StorageKind kind) {
    // Sections a check had to repair go out repaired.
    SendAndReset(WholeImageWrites(kind, AssembledImage(kind, Host().Model())));
}

void UpdatePage::DefaultParameterConfirm(int n) {
    for (int copy = 1; copy <= 5; ++copy)
        Host().SetPicture("Img_Confirm" + std::to_string(n) + "_" + std::to_string(copy),
                          "BtnS_03");
    const StorageKind kind = MouseOrMessage();
    if (kind == StorageKind::None || n < 1 || n > 3)
        return;
    const auto& names = DefaultImageResourcesOf(kind);
    const std::vector<std::uint8_t> image = DefaultImageKeepingPatch(
        kind, LoadDefaultImage(kind, resource(names[static_cast<std::size_t>(n - 1)])),
        Host().Model().Image(kind));
    if (image.empty())
        return;
    MemoToDataBuf(kind, image);
}

void UpdatePage::TLDefaultParameter() {
    if (QWidget* result = Control("Img_Result"))
        result->hide();
    const StorageKind kind = Host().Mouse().AcceptedStorage();
    if (kind == StorageKind::None || !Host().Link().IsOpen())
        return;
    Host().SetPolling(false);
    Host().HideAllMenu();
    for (const char* name : kEngineerButtons)
        if (QWidget* w = Control(name))
            w->setEnabled(false);
    Host().ShowBusy();
    {
        PageHost::FillingScope filling(Host());
        SectionDefaultsContext ctx = Host().SectionDefaults(kind);
        ctx.ledType = std::string(LedTypeName(Host().Model().LedTypeOfMode()));
        if (auto* package = qobject_cast<QComboBox*>(Control("cb_Package")))
            ctx.packageIndex = package->currentIndex();
        RebuildCodedDefaults(kind, Host().Model().EditSections(), ctx);
        Host().RefreshPages(kind);
    }
    WriteWorkingImage(kind);
}

// ---- Image files -----------------------------------------------------------------------------

void UpdatePage::Btn_Save_0Click() {
    Host().HideAllMenu();
    for (int copy = 1; copy <= 5; ++copy)
        Host().SetPicture("Img_Save_" + std::to_string(copy), "SetS_03");
    const StorageKind kind = MouseOrMessage();
    if (kind == StorageKind::None)
        return;
    const auto chosen =
        Host().ChooseFile(true, QStringLiteral("SaveFile"), QStringLiteral("SaveFile(*.bin)"));
    if (!chosen)
        return;
    const QString path = QString::fromStdString(ImageFileName(chosen->toStdString()));
    // The dialog asked about the name it returned; a name we completed is asked about here.
    if (path != *chosen && QFileInfo::exists(path) && !Host().Ask(Text("Str483")))
        return;
    // The file holds what the mouse holds: read it first.
    Host().RunDeviceJob([this, kind, path] {
        const WholeImageReadResult read = Host().ReadWholeImage();
        QMetaObject::invokeMethod(
            this,
            [this, kind, path, read] {
                if (read != WholeImageReadResult::Filled)
                    return;
                const std::vector<std::uint8_t>& image = Host().Model().Image(kind);
                QSaveFile file(path);
                const bool ok = file.open(QIODevice::WriteOnly) &&
                                file.write(reinterpret_cast<const char*>(image.data()),
                                           static_cast<qint64>(image.size())) ==
                                    static_cast<qint64>(image.size()) &&
                                file.commit();
                if (!ok)
                    Host().ShowMessage(Text("Str482"));
            },
            Qt::QueuedConnection);
    });
}

void UpdatePage::Btn_Load_0Click() {
    Host().HideAllMenu();
    for (int copy = 1; copy <= 5; ++copy)
        Host().SetPicture("Img_Load_" + std::to_string(copy), "SetS_03");
    const StorageKind kind = MouseOrMessage();
    if (kind == StorageKind::None)
        return;
    const auto chosen = Host().ChooseFile(false, QStringLiteral("LoadFile"), kImageFilter);
    if (!chosen)
        return;
    const auto bytes = ReadFile(*chosen);
    if (!bytes)
        return;
    // Tested whole before anything changes: the working image and the mouse stay as they were.
    if (CheckImageFile(kind, *bytes) != ImageFileCheck::Ok) {
        Host().ShowMessage(QStringLiteral("Loading .bin is error!"));
        return;
    }
    MemoToDataBuf(kind, *bytes);
}

// ---- Patch code ------------------------------------------------------------------------------

bool UpdatePage::TakePatchFile(StorageKind kind, const QString& path) {
    const auto bytes = ReadFile(path);
    if (!bytes)
        return false;
    // Checked into a scratch copy: the working patch changes only when it is programmed.
    WorkingSections scratch = Host().Model().Sections();
    switch (LoadPatchFile(kind, *bytes, scratch)) {
    case PatchFileCheck::Ok:
        patchFile_ = *bytes;
        return true;
    case PatchFileCheck::WrongSize:
        Host().ShowMessage(Text("Str484"));
        return false;
    case PatchFileCheck::BadChecksum:
        Host().ShowMessage(Text("Str485"));
        return false;
    case PatchFileCheck::NoStorage:
        return false;
    }
    return false;
}

void UpdatePage::ProgramPatch(StorageKind kind) {
    WorkingModel& model = Host().Model();
    if (kind == StorageKind::Flash && model.Sections().FlashPatchLocked) {
        Host().ShowMessage(Text("Str486"));
        return;
    }
    if (LoadPatchFile(kind, patchFile_, model.EditSections()) != PatchFileCheck::Ok)
        return;
    Host().HideAllMenu();
    Host().SetPolling(false);
    Host().ShowDisableAll();
    Host().ShowBusy();
    SendAndReset(PatchWrites(kind, model));
}

void UpdatePage::Btn_LoadBINClick() {
    const auto chosen = Host().ChooseFile(false, QStringLiteral("LoadFile"), kImageFilter);
    if (!chosen)
        return;
    SetControlCaption(Control("lbl_LoadBIN"), *chosen);
    patchFileLoaded_ = false;
    const StorageKind kind = Host().Mouse().AcceptedStorage();
    if (kind == StorageKind::None)
        return;
    patchFileLoaded_ = TakePatchFile(kind, *chosen);
}

void UpdatePage::Btn_ProgramClick() {
    const StorageKind kind = Host().Mouse().AcceptedStorage();
    if (!patchFileLoaded_ || kind == StorageKind::None || !Host().Link().IsOpen())
        return;
    ProgramPatch(kind);
}

void UpdatePage::Btn_PatchCodeClick() {
    Host().HideAllMenu();
    const auto chosen = Host().ChooseFile(false, QStringLiteral("LoadFile"), kImageFilter);
    if (!chosen)
        return;
    const StorageKind kind = MouseOrMessage();
    if (kind == StorageKind::None)
        return;
    if (TakePatchFile(kind, *chosen))
        ProgramPatch(kind);
}

} // namespace trvx
