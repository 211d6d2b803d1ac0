// The scenario runner: the real main window on the simulated mouse, offscreen, on a virtual
// clock, driven by a script of steps (the language is in sim/ScenarioScript.h; what it does to
// one control is in ScenarioControls.h).
//
//   scenario FILE
//
// Prints the frames and messages the script asks for; exit 0 when every step passed, 1 when a
// step failed (with a line that says which and why) or the script does not parse.
// Relative paths of `file-of`, `choose-file` and `data-file` are taken from the scenario file's
// folder (they name inputs that lie beside it); `snapshot` writes relative to the working folder.
// Every run has an empty data folder of its own (a temporary folder, removed at the end), so
// runs never share a macro library or gun-key file.
#include "ScenarioControls.h"
#include "base/Clock.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/wide/ui/ClockTimer.h"
#include "controls/wide/ui/UniEdit.h"
#include "device/InputListener.h"
#include "pages/ui/SmallDialog.h"
#include "platform/ui/X11InputCapture.h"
#include "sensitivity/PointerSettings.h"
#include "shell/ui/Choosers.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/ScenarioScript.h"
#include "sim/SimulatedMouse.h"
#include "skin/ui/MainWindowControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMetaObject>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace trvx {
namespace {

// Real time a step may take before the runner gives up on the device thread or the listener:
// only a fault gets near it (a 64 KB flash read takes a few seconds with the sanitizers).
constexpr int kGuardMillis = 60000;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// The general settings a scenario may change, by their [org] keys; false for another key.
bool ApplySetting(GeneralSettings& s, const std::string& key, int value) {
    if (key == "GD_Enable")
        s.GDEnable = value == 1;
    else if (key == "BE_Enable")
        s.BEEnable = value == 1;
    else if (key == "TR_Enable")
        s.TREnable = value == 1;
    else if (key == "Gun6_Num")
        s.Gun6Num = std::clamp(value, 1, 2);
    else if (key == "Gun7_Num")
        s.Gun7Num = std::clamp(value, 1, 3);
    else
        return false;
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// `A`, `F5`, `Return`, `Ctrl` ... as one key with its modifiers.
std::optional<QKeyCombination> KeyOf(const std::string& name) {
    static const std::pair<const char*, Qt::Key> kAlone[] = {
        {"Ctrl", Qt::Key_Control}, {"Control", Qt::Key_Control}, {"Shift", Qt::Key_Shift},
        {"Alt", Qt::Key_Alt},      {"Meta", Qt::Key_Meta},       {"Win", Qt::Key_Meta},
        {"Enter", Qt::Key_Enter},  {"Return", Qt::Key_Return}};
    for (const auto& [text, key] : kAlone)
        if (name == text)
            return QKeyCombination(key);
    const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(name));
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return std::nullopt;
    return sequence[0];
}

// Takes the links the window asks the desktop to open.
class UrlPrinter : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { std::printf("url: %s\n", url.toString().toUtf8().constData()); }
};

class ScenarioRunner {
public:
    ScenarioRunner(QDir scriptFolder, QString dataFolder)
        : folder_(std::move(scriptFolder)), dataFolder_(std::move(dataFolder)), timers_(clock_) {
        VirtualTimerScheduler::SetCurrent(&timers_);
        timers_.SetSettle([this] { SettleDevice(); });
        // A dialog shown some other way than through the answerable ones would wait for a user
        // for ever: close it and fail the step, naming it.
        strayDialogs_.setInterval(50);
        QObject::connect(&strayDialogs_, &QTimer::timeout, [this] { CloseStrayDialog(); });
        strayDialogs_.start();
        // Links the window opens are printed, not opened in a browser.
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &urls_, "open");
        previousMessage_ = FormMessageDialog::setResponder([this](const QString& text) {
            messages_.push_back(text.toStdString());
            TakeAnswer();
        });
        // A question is printed as a message and answered by the next `answer`: cancel says
        // no, anything else yes, and no answer at all says no.
        previousQuestion_ = FormMessageDialog::setQuestionResponder([this](const QString& text) {
            messages_.push_back(text.toStdString());
            const auto answer = TakeAnswer();
            return answer && answer->answer != ScenarioAnswer::Cancel;
        });
        previousInput_ =
            SkinInputDialog::setResponder([this](FrmInput& dialog) { return AnswerInput(dialog); });
        // The skinned dialogs are not modal: with no answer waiting they stay open for the
        // steps that drive their controls.
        previousSmallDialog_ = SmallDialog::SetOpenObserver([this](SmallDialog& dialog) {
            if (auto answer = TakeAnswer())
                QMetaObject::invokeMethod(
                    &dialog,
                    [this, d = QPointer<SmallDialog>(&dialog), a = *answer] {
                        if (d != nullptr)
                            AnswerSmallDialog(*d, a);
                    },
                    Qt::QueuedConnection);
        });
        previousFile_ = Choosers::setFileChooser(
            [this](QWidget*, const FileChoice& choice) -> std::optional<QString> {
                if (files_.empty()) {
                    Note("file dialog '" + choice.caption.toStdString() +
                         "' cancelled (no choose-file)");
                    return std::nullopt;
                }
                QString path = QString::fromStdString(files_.front().name);
                files_.pop_front();
                return path;
            });
        previousColor_ =
            Choosers::setColorChooser([this](QWidget*, QColor) -> std::optional<QColor> {
                if (colors_.empty()) {
                    Note("colour dialog cancelled (no choose-color)");
                    return std::nullopt;
                }
                QColor color = QColor::fromRgb(colors_.front().color);
                colors_.pop_front();
                return color;
            });
    }

    ~ScenarioRunner() {
        form_.reset();
        timers_.SetSettle(nullptr);
        VirtualTimerScheduler::SetCurrent(nullptr);
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        FormMessageDialog::setResponder(previousMessage_);
        FormMessageDialog::setQuestionResponder(previousQuestion_);
        SkinInputDialog::setResponder(previousInput_);
        SmallDialog::SetOpenObserver(previousSmallDialog_);
        Choosers::setFileChooser(previousFile_);
        Choosers::setColorChooser(previousColor_);
    }

    // Runs the steps in order; stops at the first that fails.
    bool Run(const std::vector<ScenarioStep>& steps) {
        for (const ScenarioStep& step : steps) {
            std::string error;
            const bool passed = Step(step, error) && guardError_.empty();
            CollectFrames();
            if (!passed) {
                if (error.empty())
                    error = guardError_;
                PrintRestOfMessages();
                std::printf("FAIL line %d: %s: %s\n", step.line, step.source.c_str(),
                            error.c_str());
                return false;
            }
        }
        PrintRestOfMessages();
        // An answer no dialog took means a dialog the scenario counted on never came.
        for (const auto* unused : {&answers_, &files_, &colors_}) {
            if (!unused->empty()) {
                std::printf("FAIL line %d: %s: no dialog came to take it\n", unused->front().line,
                            unused->front().source.c_str());
                return false;
            }
        }
        std::printf("PASS: %zu steps\n", steps.size());
        return true;
    }

private:
    bool Step(const ScenarioStep& step, std::string& error) {
        using K = ScenarioStepKind;
        switch (step.kind) {
        case K::Device:
        case K::FileOf:
            if (mouse_) {
                error = "the simulated mouse is already there; say which before it is used";
                return false;
            }
            if (step.kind == K::Device)
                device_ = step.device;
            else
                fileOf_ = folder_.absoluteFilePath(QString::fromStdString(step.name)).toStdString();
            return true;
        case K::Start:
            return Start(error);
        case K::Wait:
            timers_.Advance(step.number);
            SettleDevice();
            return true;
        case K::Click:
            return Click(step.name, Qt::LeftButton, false, step.row, error);
        case K::DblClick:
            return Click(step.name, Qt::LeftButton, true, step.row, error);
        case K::RClick:
            return Click(step.name, Qt::RightButton, false, step.row, error);
        case K::Hover:
        case K::Leave:
            return Hover(step.name, step.kind == K::Hover, error);
        case K::Text:
            return TypeText(step.name, step.text, error);
        case K::Choose:
            return Choose(step.name, static_cast<int>(step.number), error);
        case K::Check:
        case K::Uncheck:
            return SetChecked(step.name, step.kind == K::Check, error);
        case K::Key:
            return PressKey(step.name, step.text, error);
        case K::Plug:
        case K::Unplug:
        case K::OtherPlug:
        case K::OtherUnplug:
            return Presence(step.kind, error);
        case K::SimPoke:
            if (!Mouse(error))
                return false;
            if (!mouse_->Poke(static_cast<std::size_t>(step.number), step.bytes)) {
                error = "the bytes do not fit the image";
                return false;
            }
            return true;
        case K::SimInfo:
            if (!Mouse(error))
                return false;
            mouse_->SetInfoReply(step.bytes);
            return true;
        case K::SimFailReply:
        case K::SimFailSend:
            if (!Mouse(error))
                return false;
            if (step.kind == K::SimFailReply)
                mouse_->FailReply(static_cast<int>(step.number));
            else
                mouse_->FailSend(static_cast<int>(step.number));
            return true;
        case K::SimDenyAccess:
            if (!Mouse(error))
                return false;
            mouse_->DenyAccess(step.number != 0);
            return true;
        case K::Input:
            return Input(step.bytes, error);
        case K::Answer:
            answers_.push_back(step);
            return true;
        case K::ChooseFile:
            files_.push_back(step);
            files_.back().name =
                folder_.absoluteFilePath(QString::fromStdString(step.name)).toStdString();
            return true;
        case K::ChooseColor:
            colors_.push_back(step);
            return true;
        case K::Snapshot:
            return Snapshot(step.name, error);
        case K::Frames:
            CollectFrames();
            std::fputs(log_.TakeUnprinted().c_str(), stdout);
            return true;
        case K::Expect:
            CollectFrames();
            return log_.Expect(step.bytes, error);
        case K::ExpectNone:
            CollectFrames();
            return log_.ExpectNone(error);
        case K::SkipTo:
            CollectFrames();
            return log_.SkipTo(step.bytes, error);
        case K::Messages:
            PrintRestOfMessages();
            return true;
        case K::Image:
            if (!Mouse(error))
                return false;
            std::fputs(FormatImageLines(mouse_->Image()).c_str(), stdout);
            return true;
        case K::Show:
            if (QWidget* control = Find(step.name, error)) {
                std::fputs(FormatControlState(step.name, ControlStateOf(control)).c_str(), stdout);
                return true;
            }
            return false;
        case K::ExpectControl:
            if (QWidget* control = Find(step.name, error))
                return CheckControlState(step.name, ControlStateOf(control), step.property,
                                         step.text, error);
            return false;
        case K::DataFile:
            if (form_) {
                error = "a data file is put in place before 'start'";
                return false;
            }
            return CopyDataFile(
                dataFolder_.toStdString(), step.name,
                folder_.absoluteFilePath(QString::fromStdString(step.text)).toStdString(), error);
        case K::Setting:
            if (form_) {
                error = "a setting is made before 'start'";
                return false;
            }
            if (!ApplySetting(probe_, step.name, static_cast<int>(step.number))) {
                error = "no such setting: " + step.name;
                return false;
            }
            settings_[step.name] = static_cast<int>(step.number);
            return true;
        }
        error = "unknown step";
        return false;
    }

    // ---- The mouse and the window ----------------------------------------------------------

    bool Mouse(std::string& error) {
        if (mouse_)
            return true;
        const StorageKind kind =
            device_ == ScenarioDevice::Flash ? StorageKind::Flash : StorageKind::I2C;
        if (fileOf_.empty()) {
            mouse_ = std::make_unique<SimulatedMouse>(kind, clock_);
        } else {
            const auto bytes = ReadWholeFile(fileOf_);
            if (!bytes) {
                error = "cannot read " + fileOf_;
                return false;
            }
            // The file's size says the storage type.
            const StorageKind fileKind =
                bytes->size() == kFlashImageSize ? StorageKind::Flash : StorageKind::I2C;
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
            mouse_ = SimulatedMouse::Create(fileKind, clock_, {data, bytes->size()});
            if (!mouse_) {
                error = fileOf_ + " is not an image of 2048 or 65536 bytes";
                return false;
            }
            programSet_ = fileKind;
        }
        if (fileOf_.empty())
            programSet_ = kind;
        if (device_ == ScenarioDevice::None)
            mouse_->Unplug();
        return true;
    }

    bool Start(std::string& error) {
        if (form_) {
            error = "the window is already started";
            return false;
        }
        if (!Mouse(error))
            return false;
        MainWindowOptions options;
        options.backend = mouse_.get();
        options.clock = &clock_;
        options.screenSize = QSize(1920, 1080);
        options.trayIcon = false;
        // The program is built around the set of the simulated mouse's kind, as with
        // TRVX_SIMULATE.
        options.defaultImageSet = programSet_;
        // Pointer settings of a desktop that keeps speed, acceleration and double-click time
        // but no wheel lines, so the window never changes the real desktop's.
        options.adjustSettings = [settings = settings_](GeneralSettings& s) {
            for (const auto& [key, value] : settings)
                ApplySetting(s, key, value);
        };
        options.pointerSettings = [] {
            auto fake = std::make_unique<FakePointerSettings>();
            fake->state.speed = 0.0;
            fake->state.acceleration = false;
            fake->state.doubleClickMs = 400;
            return fake;
        };
        // The recorders hear the keys and clicks the steps send to the window, never the
        // desktop's own input, even where a display is reachable.
        options.inputCapture = [] { return std::make_unique<WindowInputCapture>(); };
        form_ = std::make_unique<TForm1>(options);
        form_->show();
        form_->CreateLoadingWindow();
        SettleDevice();
        return true;
    }

    bool Form(std::string& error) {
        if (form_)
            return true;
        error = "the window is not started (no 'start' step before)";
        return false;
    }

    // Waits (real time, bounded) until the device thread has nothing left to do and the
    // listener has let go of a mouse that left, so every step starts from the same state.
    void SettleDevice() {
        if (!form_)
            return;
        QElapsedTimer guard;
        guard.start();
        for (;;) {
            // Looked at first: the listener queues its news of a lost mouse before it starts
            // waiting, so the events processed below include that news.
            InputListener* listener = form_->Listener();
            const bool listenerSettled =
                listener == nullptr || listener->IsWaiting() || (mouse_ && mouse_->IsPresent());
            QCoreApplication::processEvents();
            if (!form_->Worker().WaitIdle(kGuardMillis)) {
                guardError_ = "the device thread did not finish its work in time";
                return;
            }
            QCoreApplication::processEvents();
            if (form_->Worker().IsIdle() && listenerSettled)
                return;
            if (guard.elapsed() > kGuardMillis) {
                guardError_ = "the input listener did not let go of the mouse in time";
                return;
            }
            QThread::msleep(1);
        }
    }

    void CollectFrames() {
        if (mouse_)
            log_.Append(mouse_->TakeFrames());
    }

    bool Presence(ScenarioStepKind kind, std::string& error) {
        if (!Mouse(error))
            return false;
        switch (kind) {
        case ScenarioStepKind::Plug:
            mouse_->Plug();
            break;
        case ScenarioStepKind::Unplug:
            mouse_->Unplug();
            break;
        case ScenarioStepKind::OtherPlug:
            mouse_->PlugOther();
            break;
        default:
            if (!mouse_->UnplugOther()) {
                error = "no other device is plugged in";
                return false;
            }
            break;
        }
        SettleDevice();
        return true;
    }

    bool Input(const std::vector<std::uint8_t>& bytes, std::string& error) {
        if (!Form(error))
            return false;
        InputListener* listener = form_->Listener();
        const std::int64_t before = listener->ReportsHandled();
        if (!mouse_->InjectInput(bytes)) {
            Note("input report dropped: the mouse is away");
            return true;
        }
        if (bytes.empty() || bytes[0] != ReportIdInput)
            return true; // the listener passes over other reports without a trace
        QElapsedTimer guard;
        guard.start();
        while (listener->ReportsHandled() == before) {
            if (listener->IsWaiting()) {
                Note("input report waits: no mouse is open for the listener");
                return true;
            }
            if (guard.elapsed() > kGuardMillis) {
                error = "the input listener did not handle the report in time";
                return false;
            }
            QThread::msleep(1);
        }
        SettleDevice();
        return true;
    }

    // ---- Controls ---------------------------------------------------------------------------

    QWidget* Find(const std::string& name, std::string& error) {
        if (!Form(error))
            return nullptr;
        if (name.find('.') == std::string::npos)
            if (QWidget* w = form_->Control(name))
                return w;
        // The busy window and the dialogs are windows of their own.
        return FindOnOwnWindows(form_.get(), name, error);
    }

    QWidget* Reachable(QWidget* control, const std::string& name, std::string& error) {
        return ReachableAt(control, name, error);
    }

    bool Click(const std::string& name, Qt::MouseButton button, bool twice, std::optional<int> row,
               std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr || !ClickControl(control, name, button, twice, row, error))
            return false;
        SettleDevice();
        return true;
    }

    bool Hover(const std::string& name, bool enter, std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr)
            return false;
        if (enter) {
            if (Reachable(control, name, error) == nullptr)
                return false;
            const QPointF local = control->rect().center();
            QEnterEvent event(local, control->mapTo(control->window(), local),
                              control->mapToGlobal(local));
            QCoreApplication::sendEvent(control, &event);
        } else {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(control, &event);
        }
        SettleDevice();
        return true;
    }

    bool TypeText(const std::string& name, const std::string& text, std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr || !TypeInto(control, name, text, error))
            return false;
        SettleDevice();
        return true;
    }

    bool TypeInto(QWidget* control, const std::string& name, const std::string& text,
                  std::string& error) {
        QLineEdit* edit = qobject_cast<QLineEdit*>(control);
        if (auto* combo = qobject_cast<QComboBox*>(control); combo != nullptr && edit == nullptr)
            edit = combo->lineEdit();
        if (edit == nullptr) {
            error = name + " is not an edit";
            return false;
        }
        if (Reachable(control, name, error) == nullptr)
            return false;
        if (!edit->isEnabled() || edit->isReadOnly()) {
            error = name + " does not take typing";
            return false;
        }
        edit->setFocus();
        edit->selectAll();
        if (text.empty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, QString::fromStdString(text));
        return true;
    }

    bool Choose(const std::string& name, int index, std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr)
            return false;
        if (auto* pages = qobject_cast<SkinPageControl*>(control)) {
            if (!ChooseTab(*pages, name, index, error))
                return false;
            SettleDevice();
            return true;
        }
        if (Reachable(control, name, error) == nullptr)
            return false;
        if (!control->isEnabled()) {
            error = name + " is disabled";
            return false;
        }
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            if (index < 0 || index >= combo->count()) {
                error = name + " has no item " + std::to_string(index) + " (it has " +
                        std::to_string(combo->count()) + ")";
                return false;
            }
            // What the drop-down does when the user picks an item.
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            emit combo->textActivated(combo->itemText(index));
        } else if (auto* list = qobject_cast<QListWidget*>(control)) {
            QListWidgetItem* item = list->item(index);
            if (item == nullptr) {
                error = name + " has no item " + std::to_string(index) + " (it has " +
                        std::to_string(list->count()) + ")";
                return false;
            }
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
        } else {
            error = name + " is neither a combo box nor a list";
            return false;
        }
        SettleDevice();
        return true;
    }

    bool SetChecked(const std::string& name, bool checked, std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr)
            return false;
        auto state = [control]() -> std::optional<bool> {
            if (auto* box = qobject_cast<SkinCheckBox*>(control))
                return box->isChecked();
            if (auto* button = qobject_cast<QAbstractButton*>(control);
                button != nullptr && button->isCheckable())
                return button->isChecked();
            return std::nullopt;
        };
        const auto before = state();
        if (!before) {
            error = name + " is not a check box";
            return false;
        }
        if (*before == checked)
            return true;
        if (!Click(name, Qt::LeftButton, false, std::nullopt, error))
            return false;
        if (state() != checked) {
            error = name + " did not become " + (checked ? "checked" : "unchecked");
            return false;
        }
        return true;
    }

    bool PressKey(const std::string& name, const std::string& keyName, std::string& error) {
        QWidget* control = Find(name, error);
        if (control == nullptr)
            return false;
        const auto key = KeyOf(keyName);
        if (!key) {
            error = "unknown key " + keyName;
            return false;
        }
        if (Reachable(control, name, error) == nullptr)
            return false;
        // Tab hands the focus on, with the focus-out of the field left, only in an active window:
        // activate it as the user's click into the field would have.
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            QApplication::activeWindow() != control->window()) {
            control->window()->activateWindow();
            QCoreApplication::processEvents();
        }
        control->setFocus();
        QTest::keyClick(control, key->key(), key->keyboardModifiers());
        SettleDevice();
        return true;
    }

    bool Snapshot(const std::string& path, std::string& error) {
        if (!Form(error))
            return false;
        QImage image = form_->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        // Outside the window's shape the desktop shows through.
        if (const QRegion shape = form_->mask(); !shape.isEmpty()) {
            QPainter painter(&image);
            painter.setCompositionMode(QPainter::CompositionMode_Clear);
            for (const QRect& r : QRegion(image.rect()).subtracted(shape))
                painter.fillRect(r, Qt::transparent);
        }
        if (!image.save(QString::fromStdString(path), "PNG")) {
            error = "cannot write " + path;
            return false;
        }
        return true;
    }

    // ---- Dialogs ----------------------------------------------------------------------------

    std::optional<ScenarioStep> TakeAnswer() {
        if (answers_.empty())
            return std::nullopt;
        ScenarioStep answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    int AnswerInput(FrmInput& dialog) {
        const std::string prompt =
            dialog.lbl_prompt != nullptr ? dialog.lbl_prompt->text().toStdString() : "";
        const auto answer = TakeAnswer();
        if (!answer) {
            Note("input dialog '" + prompt + "' cancelled (no answer)");
            return kModalCancel;
        }
        if (answer->answer == ScenarioAnswer::Cancel)
            return kModalCancel;
        if (answer->answer == ScenarioAnswer::Text)
            dialog.edt_value->setText(QString::fromStdString(answer->text));
        return kModalOk;
    }

    // An answer for a skinned dialog, given through its controls as a user would:
    // a text is typed into its edit and confirmed, ok confirms, cancel closes it.
    void AnswerSmallDialog(SmallDialog& dialog, const ScenarioStep& answer) {
        std::string error;
        const std::string edit = dialog.Edit()->objectName().toStdString();
        if (answer.answer == ScenarioAnswer::Text &&
            !TypeInto(dialog.Edit(), edit, answer.text, error)) {
            if (guardError_.empty())
                guardError_ = "answer " + answer.text + ": " + error;
            return;
        }
        const char* button = answer.answer == ScenarioAnswer::Cancel ? "IB_Close" : "IB_Confirm";
        QWidget* control = dialog.findChild<QWidget*>(QString::fromLatin1(button));
        if (control == nullptr ||
            !ClickControl(control, button, Qt::LeftButton, false, std::nullopt, error)) {
            if (guardError_.empty())
                guardError_ =
                    "answer: " + (control == nullptr ? std::string("no ") + button : error);
        }
    }

    void PrintRestOfMessages() {
        for (; printedMessages_ < messages_.size(); ++printedMessages_)
            std::fputs(FormatMessageLine(messages_[printedMessages_]).c_str(), stdout);
        std::fflush(stdout);
    }

    void CloseStrayDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        std::string what = modal->windowTitle().toStdString();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages_.push_back(box->text().toStdString());
            what += ": " + box->text().toStdString();
        }
        if (guardError_.empty())
            guardError_ = "a dialog the runner cannot answer was shown (" + what + ")";
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    static void Note(const std::string& text) { std::printf("note: %s\n", text.c_str()); }

    QDir folder_;
    QString dataFolder_;
    std::map<std::string, int> settings_; // general settings the scenario changes
    GeneralSettings probe_;
    VirtualClock clock_;
    VirtualTimerScheduler timers_;
    ScenarioDevice device_ = ScenarioDevice::I2C;
    std::string fileOf_;
    StorageKind programSet_ = StorageKind::I2C;
    std::unique_ptr<SimulatedMouse> mouse_;
    std::unique_ptr<TForm1> form_;
    ScenarioFrameLog log_;
    std::deque<ScenarioStep> answers_;
    std::deque<ScenarioStep> files_;
    std::deque<ScenarioStep> colors_;
    std::vector<std::string> messages_;
    std::size_t printedMessages_ = 0;
    std::string guardError_;
    QTimer strayDialogs_; // real time: it must also run inside a dialog's own event loop
    UrlPrinter urls_;

    FormMessageDialog::Responder previousMessage_;
    FormMessageDialog::QuestionResponder previousQuestion_;
    SkinInputDialog::Responder previousInput_;
    SmallDialog::OpenObserver previousSmallDialog_;
    Choosers::FileChooser previousFile_;
    Choosers::ColorChooser previousColor_;
};

} // namespace
} // namespace trvx

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scenario FILE\n");
        return 1;
    }
    const auto text = trvx::ReadWholeFile(argv[1]);
    if (!text) {
        std::printf("FAIL: cannot read %s\n", argv[1]);
        return 1;
    }
    const trvx::ScenarioParse parse = trvx::ParseScenario(*text);
    if (!parse.ok()) {
        for (const std::string& error : parse.errors)
            std::printf("FAIL %s\n", error.c_str());
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The run's own empty data folder: the program's per-user data folder lies under
    // XDG_DATA_HOME, which must be set before the application reads it.
    QTemporaryDir dataHome;
    if (!dataHome.isValid()) {
        std::printf("FAIL: cannot make a data folder: %s\n",
                    dataHome.errorString().toLocal8Bit().constData());
        return 1;
    }
    setenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()).constData(), 1);
    // The offscreen platform's notices (no window masks, no raise) say nothing about the
    // scenario; everything else Qt says still goes to stderr.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& line) {
        if (line.startsWith(QLatin1String("This plugin does not support")) ||
            line.startsWith(QLatin1String("QStandardPaths:")))
            return;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        if (type == QtFatalMsg)
            std::abort();
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gaming Mouse"));
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dataFolder.startsWith(dataHome.path() + QLatin1Char('/'))) {
        std::printf("FAIL: the data folder %s is not the run's own\n",
                    dataFolder.toLocal8Bit().constData());
        return 1;
    }
    bool passed = false;
    {
        trvx::ScenarioRunner runner(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteDir(),
                                    dataFolder);
        passed = runner.Run(parse.steps);
    }
    std::fflush(stdout);
    return passed ? 0 : 1;
}

#include "scenario.moc"
