// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-session-fuzz: long random user sessions through Kestrune's real windows (offscreen),
// with the program's invariants checked after every action.
//
//   kestrune-session-fuzz [--seed N] [--sessions N] [--actions N] [--print]
//   kestrune-session-fuzz --replay FILE      runs one script and checks it the same way
//
// A session is a script for the scripted driver, drawn from a seeded generator: typing any
// characters into every field, pasting text of several lines with tabs, accents and emoji, undo
// and redo, Tab and Shift+Tab, Enter and Escape, access keys, Alt with letters that are none,
// menu shortcuts, every button and menu item (also while leaving the width box warns), unit
// switches, printing with every dialog answer, opening and closing the triangle window. Complete
// measurements come often, and while results are shown most actions keep them, so that the
// results are checked after about half of all actions. A failure prints the session's seed and
// the shortest script found that still fails, ready to become a golden test.

#include "core/ratedloads.h"
#include "platform/form.h"
#include "platform/qttext.h"
#include "platform/textbox.h"
#include "tools/headless.h"
#include "tools/session.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTextStream>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_set_death_callback(void (*callback)());
#endif

namespace kestrune {
namespace {

using Script = std::vector<QString>;

// Nested handling may go this deep at most (the angle check nests twice, a chained triangle
// solve a few levels); anything deeper means a loop.
constexpr int kDepthLimit = 24;

// How often the checks found results to check, for the summary.
long long g_withLoads = 0;
long long g_withAngles = 0;

// The script being run, for the report when the process dies.
Script g_running;

void printRunningScript()
{
    std::fputs("\nThe session that was running when the program died:\n", stderr);
    for (const QString &line : g_running)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

extern "C" void onFatalSignal(int signal)
{
    printRunningScript();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_random(seed) { }

    QString next(const ScriptSession &session)
    {
        if (!m_pending.empty()) {
            QString line = m_pending.front();
            m_pending.pop_front();
            return line;
        }
        // While results are on screen, most actions leave them there, so that the checks of the
        // results run often.
        const MainWindow *main = session.mainWindow();
        if (main && !main->controls().txtCotangent->text().isEmpty() && pick(100) < 75)
            return keepingResults(session);
        const int roll = pick(1000);
        // A complete set of plausible measurements, then Calculate: results on screen.
        if (roll < 150 && main) {
            queueCalculation(main->imperialMode());
            return next(session);
        }
        // A whole triangle row filled with plausible values and solved, so that the chained
        // solves and the angle display are reached often.
        if (roll < 200 && session.triangleWindow()) {
            queueTriangleSolve();
            return next(session);
        }
        // A click on a button (or its access key) while leaving the width box warns.
        if (roll < 250 && main) {
            queueClickAfterWarning(main->imperialMode());
            return next(session);
        }
        if (roll < 300) {
            if (pick(2) == 0) m_pending.push_back(QStringLiteral("click ") + anyTextBox(session));
            m_pending.push_back(QStringLiteral("paste ") + pastedText());
            return next(session);
        }
        if (roll < 330)
            return QStringLiteral("key ") + oneOf({ "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z" });
        if (roll < 360) return QStringLiteral("key ") + altLetter();
        // Plausible measurements in the boxes of the unit system in use.
        if (roll < 400 && main) {
            const bool imperial = main->imperialMode();
            const char *box = imperial ? oneOfRaw({ "txtProjImp", "txtRiseImp", "txtWidthImp" })
                                       : oneOfRaw({ "txtProjMet", "txtRiseMet", "txtWidthMet" });
            return QStringLiteral("type main.%1 %2")
                .arg(QString::fromLatin1(box),
                    oneOf({ "100", "50", "40", "30", "15", "1000", "33", "12.5", "609.6", "24" }));
        }
        if (roll < 430) return QStringLiteral("key Enter");
        if (roll < 510) return QStringLiteral("type %1 %2").arg(anyTextBox(session), text());
        if (roll < 580) return QStringLiteral("keys ") + text();
        if (roll < 700) return QStringLiteral("key ") + key();
        if (roll < 800) {
            const QString button = anyButton(session);
            // Exit ends the session; it comes through the rare case below.
            return button.endsWith(QLatin1String("cmdExit")) ? QStringLiteral("key Tab")
                                                             : QStringLiteral("click ") + button;
        }
        if (roll < 840) return QStringLiteral("click ") + anyTextBox(session);
        if (roll < 865)
            return main
                ? QStringLiteral("menu ") + oneOf({ "mnuPrintData", "mnuPrintForm", "mnuRAT" })
                : QStringLiteral("key Tab");
        if (roll < 890) return oneOf({ "printer ok", "printer cancel", "printer fail" });
        if (roll < 910)
            return pick(3) == 0 ? QStringLiteral("answer-cancel")
                                : QStringLiteral("answer ") + text();
        if (roll < 935)
            return session.triangleWindow() && main
                ? QStringLiteral("activate ") + oneOf({ "main", "triangle" })
                : QStringLiteral("focus");
        if (roll < 955)
            return session.triangleWindow() ? QStringLiteral("close triangle")
                                            : QStringLiteral("key Ctrl+R");
        // Leaving the program (the close box, Esc, Exit) ends a session: rarely.
        if (roll < 957 && main) return QStringLiteral("close main");
        if (roll < 959 && main) return QStringLiteral("key ") + oneOf({ "Escape", "Alt+X" });
        if (roll < 980) return QStringLiteral("show");
        return QStringLiteral("focus");
    }

private:
    int pick(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }

    const char *oneOfRaw(std::initializer_list<const char *> choices)
    {
        return *(choices.begin() + pick(static_cast<int>(choices.size())));
    }

    QString oneOf(std::initializer_list<const char *> choices)
    {
        const auto *chosen = choices.begin() + pick(static_cast<int>(choices.size()));
        return QString::fromLatin1(*chosen);
    }

    QString text()
    {
        static const char *const pieces[] = { "0", "1", "2", "3", "5", "9", "12", "22", "30", "31",
            "40", "60", "99", "100", "560", "1020", "-", "+", ".", "E", "e", "E9", "E+30", "E-300",
            "1E999", "-1", "a", "ft", " ", "nan", "inf", "x", "0.0001", "89", "59.99", "1234567" };
        QString out;
        const int count = 1 + pick(4);
        for (int i = 0; i < count; ++i)
            out += QString::fromLatin1(pieces[pick(std::size(pieces))]);
        if (pick(20) == 0) {
            // A very long text of anything printable.
            for (int i = 0; i < 40 + pick(40); ++i)
                out += QChar(32 + pick(95));
        }
        return out.trimmed().isEmpty() ? QStringLiteral("7") : out;
    }

    QString key()
    {
        return oneOf({ "Tab", "Tab", "Tab", "Shift+Tab", "Enter", "Enter", "Backspace", "Backspace",
            "Delete", "Home", "End", "Left", "Right", "Alt+I", "Alt+M", "Alt+C", "Alt+L", "Ctrl+P",
            "Ctrl+F", "Ctrl+R", "Ctrl+A", "Ctrl+V", "Shift+Insert" });
    }

    // Alt with a letter: the access keys of the main window, or one that is none. (Alt+X leaves
    // the program, Alt+P and Alt+N open the menus: those come elsewhere or not at all.)
    QString altLetter()
    {
        QString letter;
        do {
            letter = QChar(static_cast<char16_t>(u'A' + pick(26)));
        } while (letter == QLatin1String("X") || letter == QLatin1String("P")
            || letter == QLatin1String("N"));
        return (pick(4) == 0 ? QStringLiteral("Shift+Alt+") : QStringLiteral("Alt+")) + letter;
    }

    // A text as it might come from the clipboard, written for the paste command: several lines,
    // tabs, accented letters made of one or two code points, emoji with their modifiers.
    QString pastedText()
    {
        static const char16_t *const pieces[] = { u"12", u"3.5", u"40", u"-", u"E5", u"\n", u"\t",
            u"\\", u" ", u"caf\u00E9", u"e\u0301", u"\U0001F600", u"\U0001F44D\U0001F3FD",
            u"\U0001F1E8\U0001F1E6", u"\U0001F468\u200D\U0001F469\u200D\U0001F467", u"\u00A0",
            u"\n\n", u"\u2028", u"Unit 7", u"1020", u"99" };
        QString out;
        const int count = 1 + pick(6);
        for (int i = 0; i < count; ++i)
            out += QString::fromUtf16(pieces[pick(std::size(pieces))]);
        // The command's escapes: \n, \t and \\; every other character is itself.
        out.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\n'), QLatin1String("\\n"))
            .replace(QLatin1Char('\t'), QLatin1String("\\t"));
        return out;
    }

    // Actions that leave the results of a calculation on screen.
    QString keepingResults(const ScriptSession &session)
    {
        switch (pick(12)) {
        case 0:
            return QStringLiteral("show");
        case 1:
            return QStringLiteral("focus");
        case 2:
            return QStringLiteral("key ") + oneOf({ "Tab", "Shift+Tab", "Home", "End", "Left" });
        case 3:
            return QStringLiteral("click main.")
                + oneOf({ "txtCotangent", "txtStructImp", "txtStructMet", "txtMachImp",
                    "txtBrakeStopMet", "txtBrakeRunImp" });
        case 4:
            return QStringLiteral("type main.txtID ") + text();
        case 5:
            m_pending.push_back(QStringLiteral("paste ") + pastedText());
            return QStringLiteral("click main.txtID");
        case 6:
            return QStringLiteral("key ") + altLetter();
        case 7:
            m_pending.push_back(
                QStringLiteral("menu ") + oneOf({ "mnuPrintData", "mnuPrintForm" }));
            return oneOf({ "printer ok", "printer cancel", "printer fail" });
        case 8:
            if (session.triangleWindow()) {
                queueTriangleSolve();
                return next(session);
            }
            return QStringLiteral("key Ctrl+R");
        case 9:
            return session.triangleWindow()
                ? QStringLiteral("activate ") + oneOf({ "main", "triangle" })
                : QStringLiteral("props main.txtStructImp");
        case 10:
            return QStringLiteral("click main.cmdCalculate");
        default:
            return QStringLiteral("key ") + oneOf({ "Enter", "Alt+C" });
        }
    }

    // The three measurements of the unit system in use, mostly within the checks' ranges, then
    // Calculate by one of its ways.
    void queueCalculation(bool imperial)
    {
        const QString unit = imperial ? QStringLiteral("Imp") : QStringLiteral("Met");
        const QString projection = imperial ? oneOf({ "100", "30", "12.5", "1000", "9.5" })
                                            : oneOf({ "30", "10", "3.25", "300", "2.9" });
        const QString rise = imperial ? oneOf({ "50", "15", "7", "20.5", "500" })
                                      : oneOf({ "15", "4.5", "2", "6.25", "150" });
        const QString width = imperial ? oneOf({ "40", "24", "32", "22", "40", "50" })
                                       : oneOf({ "1000", "600", "800", "560", "1020", "400" });
        m_pending.push_back(QStringLiteral("type main.txtProj%1 %2").arg(unit, projection));
        m_pending.push_back(QStringLiteral("type main.txtRise%1 %2").arg(unit, rise));
        m_pending.push_back(QStringLiteral("type main.txtWidth%1 %2").arg(unit, width));
        if (pick(3) == 0)
            m_pending.push_back(
                QStringLiteral("type main.txtDeg ") + oneOf({ "30", "25", "12", "31" }));
        m_pending.push_back(oneOf({ "key Enter", "click main.cmdCalculate", "key Alt+C" }));
    }

    // A width out of range left behind by a click on a button or by an access key, while the
    // width's check shows its message.
    void queueClickAfterWarning(bool imperial)
    {
        m_pending.push_back(imperial
                ? QStringLiteral("type main.txtWidthImp ") + oneOf({ "50", "10" })
                : QStringLiteral("type main.txtWidthMet ") + oneOf({ "1500", "100" }));
        m_pending.push_back(oneOf({ "click main.cmdCalculate", "click main.cmdClear",
            "click main.cmdImperial", "click main.cmdMetric", "key Alt+C", "key Alt+L", "key Alt+I",
            "key Alt+M", "click main.txtDeg", "click main.txtID", "menu mnuRAT" }));
    }

    QString anyTextBox(const ScriptSession &session) { return anyChild<TextBox>(session); }

    QString anyButton(const ScriptSession &session) { return anyChild<QPushButton>(session); }

    template <typename T> QString anyChild(const ScriptSession &session)
    {
        QList<T *> all;
        if (session.mainWindow()) all += session.mainWindow()->findChildren<T *>();
        if (session.triangleWindow()) all += session.triangleWindow()->findChildren<T *>();
        all.removeIf([](T *w) { return w->objectName().isEmpty(); });
        if (all.isEmpty()) return QStringLiteral("main");
        T *chosen = all.at(pick(static_cast<int>(all.size())));
        const bool inMain = chosen->window() == session.mainWindow();
        return (inMain ? QStringLiteral("main.") : QStringLiteral("triangle."))
            + chosen->objectName();
    }

    void queueTriangleSolve()
    {
        struct Row {
            std::vector<const char *> inputs;
            const char *command;
            bool angle;
        };
        static const Row rows[] = { { { "Text1", "Text2" }, "Command1", false },
            { { "Text4", "Text5" }, "Command2", false },
            { { "Text23", "Text24" }, "Command7", false },
            { { "Text7", "Text10", "Text8" }, "Command3", true },
            { { "Text11", "Text12", "Text13" }, "Command4", true },
            { { "Text15", "Text16", "Text17" }, "Command5", true },
            { { "Text20", "Text19", "Text22" }, "Command6", true },
            { { "Text31", "Text30", "Text33" }, "Command9", true },
            { { "Text28", "Text29", "Text26" }, "Command8", true } };
        const Row &row = rows[pick(std::size(rows))];
        for (std::size_t i = 0; i < row.inputs.size(); ++i) {
            const bool degrees = row.angle && i == 0;
            const bool minutes = row.angle && i == 1;
            const QString value = degrees ? oneOf({ "0", "1", "30", "45", "60", "89", "90", "" })
                : minutes
                ? oneOf({ "0", "30", "59.4", ".00001", "-30", "" })
                : oneOf({ "1", "2", "3", "4", "5", "10", "0.0001", "1234", "-5", "1E200", "" });
            m_pending.push_back(value.isEmpty()
                    ? QStringLiteral("click triangle.%1").arg(QString::fromLatin1(row.inputs[i]))
                    : QStringLiteral("type triangle.%1 %2")
                          .arg(QString::fromLatin1(row.inputs[i]), value));
        }
        m_pending.push_back(
            QStringLiteral("click triangle.%1").arg(QString::fromLatin1(row.command)));
    }

    std::mt19937_64 m_random;
    std::deque<QString> m_pending;
};

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

struct MainSnapshot {
    QStringList inputs;
    bool resultsFilled = false;
};

MainSnapshot snapshot(const MainWindow &window)
{
    const auto &ui = window.controls();
    MainSnapshot s;
    for (const TextBox *box : { ui.txtProjImp, ui.txtProjMet, ui.txtRiseImp, ui.txtRiseMet,
             ui.txtWidthImp, ui.txtWidthMet, ui.txtDeg, ui.txtMin })
        s.inputs << box->text();
    s.inputs << (window.imperialMode() ? QStringLiteral("imperial") : QStringLiteral("metric"));
    s.resultsFilled = !ui.txtCotangent->text().isEmpty();
    return s;
}

std::optional<QString> checkMainWindow(const MainWindow &window, const MainSnapshot &before)
{
    const auto &ui = window.controls();
    const double angle = ParseNumber(ui.txtDeg->text()) + ParseNumber(ui.txtMin->text()) / 60;
    if (!(angle >= 0 && angle <= 31))
        return QStringLiteral("the angle fields hold %1 degrees").arg(angle);

    const TextBox *results[]
        = { ui.txtStructImp, ui.txtStructMet, ui.txtMachImp, ui.txtMachMet, ui.txtBrakeStopImp,
              ui.txtBrakeStopMet, ui.txtBrakeRunImp, ui.txtBrakeRunMet, ui.txtCotangent };
    int filled = 0;
    for (const TextBox *box : results)
        filled += box->text().isEmpty() ? 0 : 1;
    if (filled == 0) return std::nullopt;
    if (filled != 9) return QStringLiteral("only %1 of the nine results are shown").arg(filled);

    ++g_withLoads;
    const MainSnapshot now = snapshot(window);
    if (before.resultsFilled && now.inputs != before.inputs)
        return QStringLiteral("results stayed after a measurement or the angle changed");

    // The results are those of the inputs now shown, in the mode now in force.
    const bool imperial = window.imperialMode();
    const TextBox *rise = imperial ? ui.txtRiseImp : ui.txtRiseMet;
    const std::optional<double> riseValue = TextToNumber(rise->text());
    if (!riseValue) return QStringLiteral("results shown for a rise that is no plain number");
    const LoadInputs inputs { ParseNumber((imperial ? ui.txtProjImp : ui.txtProjMet)->text()),
        *riseValue, ParseNumber((imperial ? ui.txtWidthImp : ui.txtWidthMet)->text()),
        ParseNumber(ui.txtDeg->text()), ParseNumber(ui.txtMin->text()) };
    const LoadResult expected = ComputeRatedLoads(imperial ? kImperialLoads : kMetricLoads, inputs);
    if (expected.problem != LoadProblem::None)
        return QStringLiteral("results shown for inputs that have none");
    const LoadTexts &t = expected.texts;
    const auto q = [](const std::string &s) { return QString::fromStdString(s); };
    const std::pair<const TextBox *, QString> checks[] = {
        { imperial ? ui.txtStructImp : ui.txtStructMet, q(t.structuralOwn) },
        { imperial ? ui.txtStructMet : ui.txtStructImp, q(t.structuralOther) },
        { imperial ? ui.txtMachImp : ui.txtMachMet, q(t.machineryOwn) },
        { imperial ? ui.txtMachMet : ui.txtMachImp, q(t.machineryOther) },
        { imperial ? ui.txtBrakeRunImp : ui.txtBrakeRunMet, q(t.machineryOwn) },
        { imperial ? ui.txtBrakeRunMet : ui.txtBrakeRunImp, q(t.machineryOther) },
        { imperial ? ui.txtBrakeStopImp : ui.txtBrakeStopMet, q(t.brakeStaticOwn) },
        { imperial ? ui.txtBrakeStopMet : ui.txtBrakeStopImp, q(t.brakeStaticOther) },
        { ui.txtCotangent, q(t.cotangent) },
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

struct Failure {
    QString what;
    std::size_t line; // index of the action after which it was found
    bool scriptError = false; // the script itself was at fault, not the program
};

// Runs a script in a fresh session; the first broken invariant, if any.
// Runs one action, line `index` of its script, and checks the invariants after it.
std::optional<Failure> runAction(ScriptSession &session, const QString &line, std::size_t index)
{
    const MainSnapshot before
        = session.mainWindow() ? snapshot(*session.mainWindow()) : MainSnapshot {};
    try {
        session.run(line);
    } catch (const ScriptError &error) {
        return Failure { QStringLiteral("script error: ") + QString::fromUtf8(error.what()), index,
            true };
    } catch (const std::exception &error) {
        return Failure { QStringLiteral("crash: ") + QString::fromUtf8(error.what()), index };
    }
    if (std::optional<QString> fault = checkInvariants(session, before))
        return Failure { *fault, index };
    return std::nullopt;
}

std::optional<Failure> runScript(const Script &script)
{
    g_running = script;
    ScriptSession session([](const QString &) {});
    for (std::size_t i = 0; i < script.size() && !session.ended(); ++i) {
        if (std::optional<Failure> failure = runAction(session, script[i], i)) return failure;
    }
    return std::nullopt;
}

// Generates and runs one session at once (the generator looks at the open windows).
std::pair<Script, std::optional<Failure>> runGenerated(std::uint64_t seed, int actions)
{
    Generator generator(seed);
    Script script;
    g_running.clear();
    ScriptSession session([](const QString &) {});
    for (int i = 0; i < actions && !session.ended(); ++i) {
        script.push_back(generator.next(session));
        g_running = script;
        if (std::optional<Failure> failure = runAction(session, script.back(), script.size() - 1))
            return { script, failure };
    }
    return { script, std::nullopt };
}

// The shortest script found, by removing ever smaller runs of lines while it still fails.
Script shrink(Script script)
{
    if (const std::optional<Failure> first = runScript(script); first && !first->scriptError)
        script.resize(first->line + 1);
    for (std::size_t chunk = script.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start + chunk <= script.size();) {
            Script candidate = script;
            candidate.erase(candidate.begin() + static_cast<long>(start),
                candidate.begin() + static_cast<long>(start + chunk));
            // Removing lines can leave a script that names a window no longer open: that is
            // no longer the program's failure.
            const std::optional<Failure> failure = runScript(candidate);
            if (failure && !failure->scriptError) {
                candidate.resize(failure->line + 1);
                script = candidate;
            } else {
                start += chunk;
            }
        }
    }
    return script;
}

int report(std::uint64_t seed, const Script &script, const Failure &failure)
{
    std::printf("FAILED session seed %llu: %s (after line %zu)\n",
        static_cast<unsigned long long>(seed), qPrintable(failure.what), failure.line + 1);
    const Script shortest = shrink(script);
    const std::optional<Failure> again = runScript(shortest);
    std::printf("shortest script (%zu lines)%s:\n", shortest.size(),
        again ? qPrintable(QStringLiteral(", fails with: ") + again->what) : "");
    for (const QString &line : shortest)
        std::printf("%s\n", qPrintable(line));
    return 1;
}

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    using namespace kestrune;
    prepareHeadlessRun();
    QApplication app(argc, argv);
    configureHeadlessRun();

    std::uint64_t seed = 1;
    int sessions = 200;
    int actions = 80;
    bool print = false;
    QString replay;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--seed") && hasValue)
            seed = args.at(++i).toULongLong();
        else if (arg == QLatin1String("--sessions") && hasValue)
            sessions = args.at(++i).toInt();
        else if (arg == QLatin1String("--actions") && hasValue)
            actions = args.at(++i).toInt();
        else if (arg == QLatin1String("--replay") && hasValue)
            replay = args.at(++i);
        else if (arg == QLatin1String("--print"))
            print = true;
        else {
            std::fprintf(stderr,
                "usage: kestrune-session-fuzz [--seed N] [--sessions N] [--actions N] [--print]\n"
                "       kestrune-session-fuzz --replay FILE\n");
            return 2;
        }
    }

    std::signal(SIGSEGV, onFatalSignal);
    std::signal(SIGABRT, onFatalSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(printRunningScript);
#endif

    if (!replay.isEmpty()) {
        QFile file(replay);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(replay));
            return 2;
        }
        Script script;
        QTextStream stream(&file);
        QString line;
        while (stream.readLineInto(&line))
            script.push_back(line);
        if (const std::optional<Failure> failure = runScript(script))
            return report(0, script, *failure);
        std::printf("1 passed, 0 failed\n");
        return 0;
    }

    const auto started = std::chrono::steady_clock::now();
    long long actionCount = 0;
    int failures = 0;
    for (int s = 0; s < sessions; ++s) {
        // Each session has its own seed, so any one can be run again alone.
        const std::uint64_t sessionSeed = seed * 1000003ULL + static_cast<std::uint64_t>(s);
        auto [script, failure] = runGenerated(sessionSeed, actions);
        actionCount += static_cast<long long>(script.size());
        if (print) {
            std::printf("# session seed %llu\n", static_cast<unsigned long long>(sessionSeed));
            for (const QString &line : script)
                std::printf("%s\n", qPrintable(line));
        }
        if (failure) {
            ++failures;
            report(sessionSeed, script, *failure);
        }
    }
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto share = [actionCount](long long part) {
        return actionCount > 0
            ? 100.0 * static_cast<double>(part) / static_cast<double>(actionCount)
            : 0.0;
    };
    std::printf(
        "sessions %d, actions %lld (after %lld of them (%.0f%%) loads were shown, after %lld "
        "(%.0f%%) triangle angles), invariant failures %d, %.1f s\n",
        sessions, actionCount, g_withLoads, share(g_withLoads), g_withAngles, share(g_withAngles),
        failures, seconds);
    std::printf("%d passed, %d failed\n", sessions - failures, failures);
    return failures == 0 ? 0 : 1;
}
