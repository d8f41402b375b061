// SPDX-License-Identifier: GPL-3.0-or-later
// The checks run after every action of a random session: the text boxes of both windows, the
// depth of nested handling, the main window's results recalculated from the measurements it shows,
// and the triangle window's angle display.

#include "tests/sessions/invariants.h"

#include "tests/sessions/loadoracle.h"

#include "core/numbers.h"
#include "platform/characters.h"
#include "platform/form.h"
#include "platform/qttext.h"
#include "platform/textbox.h"
#include "tools/session.h"

#include <cmath>
#include <string>
#include <utility>

namespace kestrune::sessionfuzz {

long long g_withLoads = 0;
long long g_withAngles = 0;

namespace {

// Nested handling may go this deep at most (the angle check nests twice, a chained triangle
// solve a few levels); anything deeper means a loop.
constexpr int kDepthLimit = 24;

bool isNumberOrEmpty(const QString &text)
{
    if (text.isEmpty()) return true;
    const std::optional<double> value = TextToNumber(text);
    return value && std::isfinite(*value);
}

std::optional<QString> checkTextBoxes(QWidget *window)
{
    for (const TextBox *box : window->findChildren<TextBox *>()) {
        if (characterCount(box->text()) > box->maxLength())
            return box->objectName() + QStringLiteral(" holds more than its length");
        // One line of whole characters: no line break, tab or other control character, no half
        // of a character.
        if (singleLineText(box->text()) != box->text() || !box->text().isValidUtf16())
            return box->objectName()
                + QStringLiteral(" holds a control character or half a character");
        // Boxes the user cannot edit are written by the program: a number or nothing.
        if (box->isLocked() && !isNumberOrEmpty(box->text()))
            return box->objectName() + QStringLiteral(" shows ") + box->text();
    }
    return std::nullopt;
}

} // namespace

MainSnapshot snapshot(const MainWindow &window)
{
    const auto &ui = window.controls();
    MainSnapshot s;
    for (const TextBox *box : { ui.projectionImperial, ui.projectionMetric, ui.riseImperial,
             ui.riseMetric, ui.widthImperial, ui.widthMetric, ui.degrees, ui.minutes })
        s.inputs << box->text();
    s.inputs << (window.imperialMode() ? QStringLiteral("imperial") : QStringLiteral("metric"));
    s.resultsFilled = !ui.cotangent->text().isEmpty();
    return s;
}

namespace {

std::optional<QString> checkMainWindow(const MainWindow &window, const MainSnapshot &before)
{
    const auto &ui = window.controls();
    const double angle = ParseNumber(ui.degrees->text()) + ParseNumber(ui.minutes->text()) / 60;
    if (!(angle >= 0 && angle <= 31))
        return QStringLiteral("the angle fields hold %1 degrees").arg(angle);

    const TextBox *results[] = { ui.structuralImperial, ui.structuralMetric, ui.machineryImperial,
        ui.machineryMetric, ui.brakeStaticImperial, ui.brakeStaticMetric, ui.brakeRunningImperial,
        ui.brakeRunningMetric, ui.cotangent };
    int filled = 0;
    for (const TextBox *box : results)
        filled += box->text().isEmpty() ? 0 : 1;
    if (filled == 0) return std::nullopt;
    if (filled != 9) return QStringLiteral("only %1 of the nine results are shown").arg(filled);

    ++g_withLoads;
    const MainSnapshot now = snapshot(window);
    if (before.resultsFilled && now.inputs != before.inputs)
        return QStringLiteral("results stayed after a measurement or the angle changed");

    // The results are those of the inputs now shown, in the mode now in force, worked out apart
    // from the program's own load routine.
    const bool imperial = window.imperialMode();
    for (const TextBox *box : { imperial ? ui.projectionImperial : ui.projectionMetric,
             imperial ? ui.widthImperial : ui.widthMetric }) {
        if (!TextToNumber(box->text()))
            return QStringLiteral("results shown for %1 \"%2\", which is no plain number")
                .arg(box->objectName(), box->text());
    }
    const auto text = [](const TextBox *box) { return box->text().toStdString(); };
    const std::optional<OracleResults> expected = ExpectedResults({ imperial,
        text(imperial ? ui.projectionImperial : ui.projectionMetric),
        text(imperial ? ui.riseImperial : ui.riseMetric),
        text(imperial ? ui.widthImperial : ui.widthMetric), text(ui.degrees), text(ui.minutes) });
    if (!expected) return QStringLiteral("results shown for inputs that have none");
    const OracleResults &t = *expected;
    const auto q = [](const std::string &s) { return QString::fromStdString(s); };
    const std::pair<const TextBox *, QString> checks[] = {
        { imperial ? ui.structuralImperial : ui.structuralMetric, q(t.structuralOwn) },
        { imperial ? ui.structuralMetric : ui.structuralImperial, q(t.structuralOther) },
        { imperial ? ui.machineryImperial : ui.machineryMetric, q(t.machineryOwn) },
        { imperial ? ui.machineryMetric : ui.machineryImperial, q(t.machineryOther) },
        { imperial ? ui.brakeRunningImperial : ui.brakeRunningMetric, q(t.machineryOwn) },
        { imperial ? ui.brakeRunningMetric : ui.brakeRunningImperial, q(t.machineryOther) },
        { imperial ? ui.brakeStaticImperial : ui.brakeStaticMetric, q(t.brakeStaticOwn) },
        { imperial ? ui.brakeStaticMetric : ui.brakeStaticImperial, q(t.brakeStaticOther) },
        { ui.cotangent, q(t.cotangent) },
    };
    for (const auto &[box, text] : checks) {
        if (box->text() != text)
            return QStringLiteral("%1 shows %2, not %3").arg(box->objectName(), box->text(), text);
    }
    return std::nullopt;
}

std::optional<QString> checkTriangle(const TriangleWindow &window)
{
    auto field = [&window](int n) {
        return window.findChild<TextBox *>(QStringLiteral("Text%1").arg(n))->text();
    };
    const bool shown = !field(34).isEmpty();
    for (int n = 35; n <= 39; ++n) {
        if (field(n).isEmpty() == shown)
            return QStringLiteral("the angle display is only partly shown");
    }
    if (!shown) return std::nullopt;
    ++g_withAngles;
    const double aDeg = ParseNumber(field(34)), aMin = ParseNumber(field(35));
    const double bDeg = ParseNumber(field(36)), bMin = ParseNumber(field(37));
    if (aMin < 0 || aMin > 59 || bMin < 0 || bMin > 59 || aMin != std::floor(aMin)
        || bMin != std::floor(bMin))
        return QStringLiteral("the angle display shows %1 and %2 minutes").arg(aMin).arg(bMin);
    if (aDeg * 60 + aMin + bDeg * 60 + bMin != 90 * 60)
        return QStringLiteral("the angles A and B do not add up to 90 degrees");
    if (field(38) != QLatin1String("90") || field(39) != QLatin1String("0"))
        return QStringLiteral("the angle C is not 90 degrees 0 minutes");
    return std::nullopt;
}

} // namespace

std::optional<QString> checkInvariants(ScriptSession &session, const MainSnapshot &before)
{
    const int changeDepth = TextBox::maxChangeDepth();
    TextBox::resetMaxChangeDepth();
    if (changeDepth > kDepthLimit)
        return QStringLiteral("change handling nested %1 deep").arg(changeDepth);
    for (QWidget *window : { static_cast<QWidget *>(session.mainWindow()),
             static_cast<QWidget *>(session.triangleWindow()) }) {
        if (!window) continue;
        Form &form = window == session.mainWindow() ? session.mainWindow()->form()
                                                    : session.triangleWindow()->form();
        const int focusDepth = form.maxDepth();
        form.resetMaxDepth();
        if (focusDepth > kDepthLimit)
            return QStringLiteral("focus handling nested %1 deep").arg(focusDepth);
        if (std::optional<QString> fault = checkTextBoxes(window)) return fault;
    }
    if (session.mainWindow()) {
        if (std::optional<QString> fault = checkMainWindow(*session.mainWindow(), before))
            return fault;
    }
    if (session.triangleWindow()) {
        if (std::optional<QString> fault = checkTriangle(*session.triangleWindow())) return fault;
    }
    return std::nullopt;
}

} // namespace kestrune::sessionfuzz
