// SPDX-License-Identifier: GPL-3.0-or-later
// The steps each benchmark repeats, each checked afterwards for what it should have done, and the
// table that sets each figure beside its floor.

#include "bench/steps.h"

#include "bench/measuring.h"
#include "bench/rehearsal.h"
#include "bench/userinput.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace kestrune::interaction {

namespace {

// Counts the paint events of a window and its controls: a keystroke that repaints nothing would
// be measuring less than the user waits for.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *window) : m_window(window)
    {
        m_window->installEventFilter(this);
        for (QWidget *child : m_window->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    ~PaintCounter() override
    {
        m_window->removeEventFilter(this);
        for (QWidget *child : m_window->findChildren<QWidget *>())
            child->removeEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

// Types `digit` and Backspace in turn into a box holding `start`, each keystroke timed.
void typeInTurn(benchmark::State &state, QWidget *window, const char *boxName, char digit,
    const QString &start, const std::string &name)
{
    QLineEdit *typedInto = box(window, boxName);
    replaceText(typedInto, start);
    const int messagesBefore = bench->messages;
    Samples samples(state);
    bool typeDigit = true;
    PaintCounter counter(window);
    for (auto _ : state) {
        QWidget *target = focused();
        timedStep(state, samples, [target, typeDigit, digit] {
            if (typeDigit)
                QTest::keyClick(target, digit);
            else
                QTest::keyClick(target, Qt::Key_Backspace);
        });
        typeDigit = !typeDigit;
    }
    if (QApplication::focusWidget() != typedInto)
        return fail(state, "the focus left the box being typed into");
    if (bench->messages != messagesBefore)
        return fail(state, "a keystroke brought up a message box");
    const QString expected = typeDigit ? start : start + QLatin1Char(digit);
    if (typedInto->text() != expected)
        return fail(state,
            "the box holds \"" + typedInto->text().toStdString() + "\" instead of \""
                + expected.toStdString() + "\"");
    if (counter.paints < state.iterations())
        return fail(state, "not every keystroke was repainted");
    state.counters["paints_per_key"]
        = static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
    report(state, samples, name);
}

// Calculate on the imperial example, by Enter in the projection box. Before each step, untimed,
// the projection's last digit is typed again, which blanks the results.
void calculate(benchmark::State &state, QWidget *window, const std::string &name)
{
    QLineEdit *projection = box(window, "txtProjImp");
    typeImperialExample(window);
    replaceText(projection, QStringLiteral("100"));
    const int messagesBefore = bench->messages;
    Samples samples(state);
    for (auto _ : state) {
        key(Qt::Key_Backspace);
        type(QStringLiteral("0"));
        if (!control<QLineEdit>(window, bench->results.front().first)->text().isEmpty())
            return fail(state, "typing did not blank the results");
        timedStep(state, samples, [] { QTest::keyClick(focused(), Qt::Key_Return); });
    }
    if (bench->messages != messagesBefore) return fail(state, "Calculate showed a message box");
    if (!showing(window, bench->results))
        return fail(state, "the results are not those of the worked example");
    report(state, samples, name);
}

} // namespace

const std::vector<Step> &steps()
{
    static const std::vector<Step> all = [] {
        std::vector<Step> list;
        // Each benchmark's floor is named after it, with "_floor".
        const auto both = [&list](const std::string &name, const char *figure, bool keystroke,
                              const auto &run) {
            list.push_back({ name, figure, false, keystroke, run });
            list.push_back({ name + "_floor", figure, true, keystroke, run });
        };
        both("keystroke/txtProjImp", "keystroke", true,
            [](benchmark::State &s, QWidget *main, const std::string &name) {
                typeInTurn(s, main, "txtProjImp", '5', QStringLiteral("10"), name);
            });
        both("calculate/enter", "calculate", false,
            [](benchmark::State &s, QWidget *main, const std::string &name) {
                calculate(s, main, name);
            });
        return list;
    }();
    return all;
}

void printTable()
{
    std::printf("\n%-28s %10s %10s %7s   %10s %10s\n", "figure (median, us)", "Kestrune", "floor",
        "ratio", "work", "floor work");
    for (const Step &step : steps()) {
        if (step.floor) continue;
        const std::string name = figureName(step.figure, false);
        const std::string floorName = figureName(step.figure, true);
        if (!medians.count(name)) continue;
        std::printf("%-28s %10.3f", name.c_str(), medians[name]);
        if (medians.count(floorName)) {
            std::printf(" %10.3f %7.3f   %10.3f %10.3f\n", medians[floorName],
                medians[name] / medians[floorName], workMedians[name], workMedians[floorName]);
        } else {
            std::printf(" %10s %7s   %10.3f\n", "", "", workMedians[name]);
        }
    }
}

} // namespace kestrune::interaction
