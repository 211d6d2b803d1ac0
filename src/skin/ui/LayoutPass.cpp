#include "skin/ui/LayoutPass.h"

#include "controls/skinned/ui/BorderlessPanel.h"
#include "controls/skinned/ui/GroupBox.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "skin/LayoutText.h"
#include "skin/ui/MainWindowControls.h"
#include "skin/ui/SkinPicture.h"
#include "skin/ui/StartupTrace.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace trvx {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor colourOf(std::uint32_t value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// The error box's text: a full stop is added unless the text ends in one or a lower character.
QString errorText(const std::string& message) {
    QString text = qs(message);
    if (!text.isEmpty() && text.back().unicode() > u'.')
        text += QLatin1Char('.');
    return text;
}

// Every named control under the form, looked up once per pass (by the plan's own names: a
// pass looks up thousands).
class ControlIndex {
public:
    explicit ControlIndex(const QWidget& form) : form_(form) {
        const QList<QWidget*> all = form.findChildren<QWidget*>();
        byName_.reserve(static_cast<std::size_t>(all.size()));
        for (QWidget* w : all)
            if (!w->objectName().isEmpty())
                byName_[w->objectName().toStdString()] = w;
    }
    QWidget* find(const std::string& name) const {
        const auto it = byName_.find(name);
        return it != byName_.end() ? it->second : nullptr;
    }
    // A control the form creates later: the pass leaves it alone now, and the window runs the
    // pass again once it exists.
    bool later(const std::string& name) const { return IsDeferredControl(form_, name); }

private:
    const QWidget& form_;
    std::unordered_map<std::string, QWidget*> byName_;
};

int checkedPageRadio(const QWidget& form) {
    for (int n = 1; n <= 8; ++n) {
        auto* rb = FindControlAs<QRadioButton>(form, "rb_" + std::to_string(n));
        if (rb && rb->isChecked())
            return n;
    }
    return 0;
}

// Checks that every control of the ops exists and every picture decodes; the first fault found,
// "" when none.
QString checkOps(const ControlIndex& index, const std::vector<SkinOp>& ops) {
    for (const SkinOp& o : ops) {
        if (!index.find(o.control) && !index.later(o.control))
            return QStringLiteral("The main window has no control named %1.").arg(qs(o.control));
        if (!o.ref.empty() && !index.find(o.ref) && !index.later(o.ref))
            return QStringLiteral("The main window has no control named %1.").arg(qs(o.ref));
    }
    for (const std::string& image : PicturesOf(ops))
        if (!SkinImageSize(image).isValid())
            return QStringLiteral("The skin image %1 is missing or cannot be read.").arg(qs(image));
    return {};
}

void setFontColour(QWidget* w, const QColor& c) {
    if (auto* label = qobject_cast<TUniLabel*>(w)) {
        label->SetFontColor(c);
        return;
    }
    QPalette p = w->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, c);
    w->setPalette(p);
}

void setBackColour(QWidget* w, std::uint32_t value) {
    const QColor c = colourOf(value);
    if (auto* label = qobject_cast<TUniLabel*>(w)) {
        label->SetColor(c);
        label->SetTransparent(false);
    } else if (auto* panel = qobject_cast<PlainPanel*>(w)) {
        panel->setColor(c);
    } else if (auto* list = qobject_cast<SkinListBox*>(w)) {
        list->setColor(value);
    } else {
        QPalette p = w->palette();
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
            p.setColor(role, c);
        w->setPalette(p);
    }
}

void setBorderColour(QWidget* w, std::uint32_t value) {
    const QColor c = colourOf(value);
    if (auto* panel = qobject_cast<PlainPanel*>(w))
        panel->setBorderColor(c);
    else if (auto* list = qobject_cast<SkinListBox*>(w))
        list->setBorderColor(value);
    else if (auto* edit = qobject_cast<SkinEdit*>(w))
        edit->setBorderColor(c);
    else if (auto* combo = qobject_cast<SkinComboBox*>(w))
        combo->setBorderColor(c);
}

void setCaption(QWidget* w, const std::string& text) {
    const QString t = qs(text);
    if (auto* label = qobject_cast<TUniLabel*>(w))
        label->SetCaption(t.toStdU16String());
    else if (auto* button = qobject_cast<SkinButton*>(w))
        button->setCaption(t);
    else if (auto* check = qobject_cast<SkinCheckBox*>(w))
        check->setCaption(t);
    else if (auto* box = qobject_cast<SkinGroupBox*>(w))
        box->setCaption(t);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(t);
}

std::string captionOf(QWidget* w) {
    if (auto* label = qobject_cast<TUniLabel*>(w))
        return QString::fromStdU16String(label->GetCaption()).toStdString();
    return {};
}

void applyOp(const SkinOp& o, const ControlIndex& index, const CaptionSection* newSet,
             std::span<const CaptionSection> allSets) {
    QWidget* w = index.find(o.control);
    QWidget* ref = o.ref.empty() ? nullptr : index.find(o.ref);
    if (w == nullptr || (!o.ref.empty() && ref == nullptr))
        return; // not created yet
    switch (o.kind) {
    case SkinOpKind::Picture:
        if (auto* pic = qobject_cast<SkinPicture*>(w))
            pic->setSkinPicture(o.text);
        break;
    case SkinOpKind::Show:
        w->setVisible(true);
        break;
    case SkinOpKind::Hide:
        w->setVisible(false);
        break;
    case SkinOpKind::Left:
        w->move(o.x, w->y());
        break;
    case SkinOpKind::Top:
        w->move(w->x(), o.y);
        break;
    case SkinOpKind::Width:
        w->resize(o.x, w->height());
        break;
    case SkinOpKind::Height:
        w->resize(w->width(), o.y);
        break;
    case SkinOpKind::Move:
        w->move(o.x, o.y);
        break;
    case SkinOpKind::SizeFromPicture:
        w->resize(o.setWidth ? ref->width() + o.dx : w->width(),
                  o.setHeight ? ref->height() + o.dy : w->height());
        break;
    case SkinOpKind::ScaleStep:
        if (o.row)
            w->move(o.x + o.n * (ref->width() + o.dx), o.y);
        else
            w->move(o.x, o.y - o.n * (ref->height() + o.dx));
        break;
    case SkinOpKind::LeftFrom:
        w->move(ref->x() + o.dx, w->y());
        break;
    case SkinOpKind::HeightFromFont:
        w->resize(w->width(), 2 * w->font().pointSize());
        break;
    case SkinOpKind::FontSize: {
        QFont f = w->font();
        f.setPointSize(o.x > 0 ? o.x : 1);
        w->setFont(f);
        break;
    }
    case SkinOpKind::FontColor:
        setFontColour(w, colourOf(o.colour));
        break;
    case SkinOpKind::BackColor:
        setBackColour(w, o.colour);
        break;
    case SkinOpKind::BorderColor:
        setBorderColour(w, o.colour);
        break;
    case SkinOpKind::FontName: {
        QFont f = w->font();
        f.setFamily(qs(o.text));
        w->setFont(f);
        break;
    }
    case SkinOpKind::Caption:
        setCaption(w, o.text);
        break;
    case SkinOpKind::KeyCaption:
        if (newSet)
            setCaption(w, CarryKeyCaption(captionOf(w), *newSet, allSets));
        break;
    case SkinOpKind::Items:
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // Items are replaced in place: the list keeps its count and its selection.
            const int n = std::min<int>(combo->count(), static_cast<int>(o.items.size()));
            for (int i = 0; i < n; ++i)
                combo->setItemText(i, qs(o.items[static_cast<std::size_t>(i)]));
        }
        break;
    case SkinOpKind::AlignLeft:
        if (auto* label = qobject_cast<TUniLabel*>(w))
            label->SetAlignment(TAlignment::taLeftJustify);
        break;
    }
}

} // namespace

bool LoadPicture(QWidget& form, std::string_view control, std::string_view image) {
    auto* pic = FindControlAs<SkinPicture>(form, control);
    return pic != nullptr && pic->setSkinPicture(image);
}

QString LoadSkinBackground(QWidget& form, LayoutState& state) {
    const StartupPhaseScope timed(StartupPhase::Layout);
    auto* base = FindControlAs<SkinPicture>(form, "Img_Base_1");
    if (!base)
        return QStringLiteral("The main window has no control named Img_Base_1.");
    const QImage background = SkinImage(kSkinBackground);
    if (background.isNull())
        return QStringLiteral("The skin image L1_BackGround is missing or cannot be read.");
    base->setPicture(background);
    state.SkinWidth = base->width();
    state.SkinHeight = base->height();
    for (int n = 1; n <= 5; ++n)
        if (QWidget* cover = FindControl(form, "Disable_All_" + std::to_string(n)))
            cover->resize(state.SkinWidth, state.SkinHeight);
    return {};
}

QString LoadSkinImages(QWidget& form, const WindowTables& window) {
    const StartupPhaseScope timed(StartupPhase::Layout);
    const std::vector<SkinOp> ops = window.startImages(checkedPageRadio(form));
    const ControlIndex index(form);
    if (QString error = checkOps(index, ops); !error.isEmpty())
        return error;
    for (const SkinOp& o : ops)
        applyOp(o, index, nullptr, {});
    return {};
}

namespace {

LayoutInputs inputsOf(const QWidget& form, const LayoutState& state, int langIndex) {
    LayoutInputs inputs;
    inputs.LangIndex = langIndex;
    inputs.PageRadio = checkedPageRadio(form);
    inputs.GDEnable = state.GDEnable;
    inputs.NumOrder = state.NumOrder;
    return inputs;
}

// One pass under way: what its steps share.
struct PassRun {
    QWidget& form;
    LayoutState& state;
    int langIndex = 0;
    ParseResult<LayoutPlan> ownPlan; // a plan of given sections
    const ParseResult<LayoutPlan>* plan = nullptr;
    const CaptionSection* newSet = nullptr;
    std::shared_ptr<QString> error;
    std::optional<ControlIndex> index;
    std::vector<CaptionSection> sets;
    bool rebuildKeys = false;
    std::shared_ptr<const void> heldSet; // the embedded set `plan` and `newSet` point into
};

// Reads and checks the set: nothing has changed when it sets an error.
void beginPass(PassRun& run) {
    if (!*run.plan) {
        *run.error = errorText(run.plan->error);
        return;
    }
    run.index.emplace(run.form);
    if (QString error = checkOps(*run.index, (*run.plan)->ops); !error.isEmpty()) {
        *run.error = error;
        return;
    }
    // Nothing failed: from here on the set is applied whole.
    run.rebuildKeys = static_cast<bool>(run.state.RebuildKeyCaptions);
    // Carrying a key caption over looks its text up in every set.
    for (int n = 1; n <= 3 && !run.rebuildKeys; ++n)
        if (ParseResult<CaptionSection> set = ReadCaptionSection("lang" + std::to_string(n)))
            run.sets.push_back(std::move(*set));
}

void applyOps(PassRun& run, std::size_t from, std::size_t to) {
    if (!run.error->isEmpty())
        return;
    const std::vector<SkinOp>& ops = (*run.plan)->ops;
    for (std::size_t i = from; i < to && i < ops.size(); ++i)
        if (!(run.rebuildKeys && ops[i].kind == SkinOpKind::KeyCaption))
            applyOp(ops[i], *run.index, run.newSet, run.sets);
}

void finishPass(PassRun& run) {
    if (!run.error->isEmpty())
        return;
    static_cast<LayoutValues&>(run.state) = (*run.plan)->values;
    run.state.LangIndex = run.langIndex;
    if (run.rebuildKeys)
        run.state.RebuildKeyCaptions(run.form);
}

std::vector<std::function<void()>> passSteps(const std::shared_ptr<PassRun>& run,
                                             std::size_t opsPerStep) {
    std::vector<std::function<void()>> steps;
    steps.push_back([run] { beginPass(*run); });
    const std::size_t count = *run->plan ? (*run->plan)->ops.size() : 0;
    const std::size_t chunk = opsPerStep == 0 ? std::max<std::size_t>(count, 1) : opsPerStep;
    for (std::size_t from = 0; from < count; from += chunk)
        steps.push_back([run, from, chunk] { applyOps(*run, from, from + chunk); });
    steps.push_back([run] { finishPass(*run); });
    return steps;
}

QString runSteps(const std::vector<std::function<void()>>& steps,
                 const std::shared_ptr<QString>& error) {
    for (const std::function<void()>& step : steps)
        step();
    return *error;
}

// An embedded language set, read once: the embedded texts never change while the program
// runs, so neither do their plans for given inputs.
struct EmbeddedSet {
    ParseResult<LayoutSection> layout;
    ParseResult<CaptionSection> captions;
    // By the window's tables and the other inputs.
    std::map<std::tuple<const WindowTables*, int, bool, int>, ParseResult<LayoutPlan>> plans;

    const ParseResult<LayoutPlan>& planFor(const LayoutInputs& inputs, const WindowTables& window) {
        const auto key =
            std::make_tuple(&window, inputs.PageRadio, inputs.GDEnable, inputs.NumOrder);
        auto it = plans.find(key);
        if (it == plans.end())
            it = plans.emplace(key, BuildLayoutPlan(*layout, *captions, inputs, window)).first;
        return it->second;
    }
};

// Shared with the passes under way, so that forgetting them never pulls a set from under one.
std::array<std::shared_ptr<EmbeddedSet>, 3>& embeddedSets() {
    static std::array<std::shared_ptr<EmbeddedSet>, 3> sets;
    return sets;
}

const std::shared_ptr<EmbeddedSet>& embeddedSet(int langIndex) {
    auto& set = embeddedSets()[static_cast<std::size_t>(langIndex - 1)];
    if (!set) {
        const std::string n = std::to_string(langIndex);
        set = std::make_shared<EmbeddedSet>(
            EmbeddedSet{ReadLayoutSection("org" + n), ReadCaptionSection("lang" + n), {}});
    }
    return set;
}

} // namespace

std::vector<std::function<void()>> LayoutPassSteps(QWidget& form, LayoutState& state, int langIndex,
                                                   const WindowTables& window,
                                                   std::shared_ptr<QString> error,
                                                   std::size_t opsPerStep) {
    if (langIndex < 1 || langIndex > 3) {
        *error = QStringLiteral("There is no language set %1.").arg(langIndex);
        return {};
    }
    const std::shared_ptr<EmbeddedSet> held = embeddedSet(langIndex);
    EmbeddedSet& set = *held;
    if (!set.layout) {
        *error = errorText(set.layout.error);
        return {};
    }
    if (!set.captions) {
        *error = errorText(set.captions.error);
        return {};
    }
    auto run = std::make_shared<PassRun>(PassRun{form,
                                                 state,
                                                 langIndex,
                                                 {},
                                                 nullptr,
                                                 &*set.captions,
                                                 std::move(error),
                                                 {},
                                                 {},
                                                 false,
                                                 held});
    {
        const StartupPhaseScope timed(StartupPhase::Layout);
        run->plan = &set.planFor(inputsOf(form, state, langIndex), window);
    }
    std::vector<std::function<void()>> steps = passSteps(run, opsPerStep);
    // Each step counts as layout time at start-up.
    for (std::function<void()>& step : steps)
        step = [inner = std::move(step)] {
            const StartupPhaseScope timed(StartupPhase::Layout);
            inner();
        };
    return steps;
}

QString ApplyLayout(QWidget& form, LayoutState& state, int langIndex, const WindowTables& window) {
    auto error = std::make_shared<QString>();
    return runSteps(LayoutPassSteps(form, state, langIndex, window, error, 0), error);
}

void ForgetLayoutSets() {
    for (std::shared_ptr<EmbeddedSet>& set : embeddedSets())
        set.reset();
}

QString ApplyLayout(QWidget& form, LayoutState& state, int langIndex, const LayoutSection& layout,
                    const CaptionSection& captions, const WindowTables& window) {
    const StartupPhaseScope timed(StartupPhase::Layout);
    if (langIndex < 1 || langIndex > 3)
        return QStringLiteral("There is no language set %1.").arg(langIndex);
    auto error = std::make_shared<QString>();
    auto run = std::make_shared<PassRun>(
        PassRun{form,
                state,
                langIndex,
                BuildLayoutPlan(layout, captions, inputsOf(form, state, langIndex), window),
                nullptr,
                &captions,
                error,
                {},
                {},
                false,
                nullptr});
    run->plan = &run->ownPlan;
    return runSteps(passSteps(run, 0), error);
}

} // namespace trvx
