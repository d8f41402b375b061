// SPDX-License-Identifier: GPL-3.0-or-later
// What a random session does: typing, pasting, undo and redo, keys and access keys, buttons and
// menu items, printing with every answer, the triangle window opened, solved and closed; complete
// measurements and Calculate often, and mostly actions that keep the results while they are shown.

#include "tests/sessions/sessiongenerator.h"

#include "platform/textbox.h"
#include "tools/session.h"

#include <QPushButton>

#include <iterator>
#include <vector>

namespace kestrune::sessionfuzz {

QString Generator::next(const ScriptSession &session)
{
    if (!m_pending.empty()) {
        QString line = m_pending.front();
        m_pending.pop_front();
        return line;
    }
    // While results are on screen, most actions leave them there, so that the checks of the
    // results run often.
    const MainWindow *main = session.mainWindow();
    if (main && !main->controls().cotangent->text().isEmpty() && pick(100) < 75)
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
    if (roll < 330) return QStringLiteral("key ") + oneOf({ "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z" });
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
        return main ? QStringLiteral("menu ") + oneOf({ "mnuPrintData", "mnuPrintForm", "mnuRAT" })
                    : QStringLiteral("key Tab");
    if (roll < 890) return oneOf({ "printer ok", "printer cancel", "printer fail" });
    if (roll < 910)
        return pick(3) == 0 ? QStringLiteral("answer-cancel") : QStringLiteral("answer ") + text();
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

const char *Generator::oneOfRaw(std::initializer_list<const char *> choices)
{
    return *(choices.begin() + pick(static_cast<int>(choices.size())));
}

QString Generator::oneOf(std::initializer_list<const char *> choices)
{
    return QString::fromLatin1(oneOfRaw(choices));
}

QString Generator::text()
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

QString Generator::key()
{
    return oneOf({ "Tab", "Tab", "Tab", "Shift+Tab", "Enter", "Enter", "Backspace", "Backspace",
        "Delete", "Home", "End", "Left", "Right", "Alt+I", "Alt+M", "Alt+C", "Alt+L", "Ctrl+P",
        "Ctrl+F", "Ctrl+R", "Ctrl+A", "Ctrl+V", "Shift+Insert" });
}

// Alt with a letter: the access keys of the main window, or one that is none. (Alt+X leaves
// the program, Alt+P and Alt+N open the menus: those come elsewhere or not at all.)
QString Generator::altLetter()
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
QString Generator::pastedText()
{
    static const char16_t *const pieces[] = { u"12", u"3.5", u"40", u"-", u"E5", u"\n", u"\t",
        u"\\", u" ", u"caf\u00E9", u"e\u0301", u"\U0001F600", u"\U0001F44D\U0001F3FD",
        u"\U0001F1E8\U0001F1E6", u"\U0001F468\u200D\U0001F469\u200D\U0001F467", u"\u00A0", u"\n\n",
        u"\u2028", u"Unit 7", u"1020", u"99" };
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
QString Generator::keepingResults(const ScriptSession &session)
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
        m_pending.push_back(QStringLiteral("menu ") + oneOf({ "mnuPrintData", "mnuPrintForm" }));
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
void Generator::queueCalculation(bool imperial)
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
void Generator::queueClickAfterWarning(bool imperial)
{
    m_pending.push_back(imperial
            ? QStringLiteral("type main.txtWidthImp ") + oneOf({ "50", "10" })
            : QStringLiteral("type main.txtWidthMet ") + oneOf({ "1500", "100" }));
    m_pending.push_back(oneOf({ "click main.cmdCalculate", "click main.cmdClear",
        "click main.cmdImperial", "click main.cmdMetric", "key Alt+C", "key Alt+L", "key Alt+I",
        "key Alt+M", "click main.txtDeg", "click main.txtID", "menu mnuRAT" }));
}

template <typename T> QString Generator::anyChild(const ScriptSession &session)
{
    QList<T *> all;
    if (session.mainWindow()) all += session.mainWindow()->findChildren<T *>();
    if (session.triangleWindow()) all += session.triangleWindow()->findChildren<T *>();
    all.removeIf([](T *w) { return w->objectName().isEmpty(); });
    if (all.isEmpty()) return QStringLiteral("main");
    T *chosen = all.at(pick(static_cast<int>(all.size())));
    const bool inMain = chosen->window() == session.mainWindow();
    return (inMain ? QStringLiteral("main.") : QStringLiteral("triangle.")) + chosen->objectName();
}

QString Generator::anyTextBox(const ScriptSession &session)
{
    return anyChild<TextBox>(session);
}

QString Generator::anyButton(const ScriptSession &session)
{
    return anyChild<QPushButton>(session);
}

void Generator::queueTriangleSolve()
{
    struct Row {
        std::vector<const char *> inputs;
        const char *command;
        bool angle;
    };
    static const Row rows[] = { { { "Text1", "Text2" }, "Command1", false },
        { { "Text4", "Text5" }, "Command2", false }, { { "Text23", "Text24" }, "Command7", false },
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
    m_pending.push_back(QStringLiteral("click triangle.%1").arg(QString::fromLatin1(row.command)));
}

} // namespace kestrune::sessionfuzz
