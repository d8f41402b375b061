// SPDX-License-Identifier: GPL-3.0-or-later
// How fast Kestrune answers the user: a keystroke into a measurement box, an angle box and a
// triangle box, Calculate and a chained triangle solve, each by Enter and by a mouse click. Each
// is driven as the user does it (controls found by name, keys and mouse buttons sent to them),
// with everything it repaints counted in. Each figure stands beside its floor: the same window
// built from the toolkit's plain widgets (bench/floorwindow.h), showing the same texts in the same
// boxes with no handling of its own.
//
// Every step is timed on its own; a figure is the median step in microseconds (`median_us`, with
// `min_us` and `max_us`). On a real X server (QT_QPA_PLATFORM=xcb) the figures are named with
// `_x11`. After the run a table sets each figure beside its floor, then the summary follows, one
// figure a line, for bench/run.sh to collect.
//
// Options besides Google Benchmark's:
//   --smoke           a few steps of each, failing when a step did not do what it should (a message
//                     box came up, a box holds the wrong text, nothing was repainted);
//   --steps N         N steps of each benchmark (for a profiler);
//   --toolkit-style   Kestrune's windows drawn with the toolkit's own style, as before the
//                     program had a style of its own, to compare.

#include "bench/floorwindow.h"
#include "mainwindow/mainwindow.h"
#include "platform/windowstyle.h"
#include "tools/recordingservices.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrune {
namespace {

// The one place that names a window class of Kestrune's: everything else finds the windows and
// their controls by name.
QWidget *openMainWindow(Services &services)
{
    return new MainWindow(services);
}

bool smoke = false;
int failures = 0;
// "_x11" on a real X server.
std::string platformTag;
// The median of each benchmark's last run, by figure name.
std::map<std::string, double> medians;
// The median of each benchmark's main-thread processor time per step, by figure name.
std::map<std::string, double> workMedians;

using Texts = std::vector<std::pair<QString, QString>>;

// Kestrune's windows, their floors, and what a rehearsal of each step showed on the screen.
struct Bench {
    std::unique_ptr<RecordingServices> services;
    int messages = 0;
    QPointer<QWidget> main;
    QPointer<QWidget> triangle;
    std::unique_ptr<QStyle> toolkitStyle;
    QPointer<QWidget> mainFloor;
    QPointer<QWidget> triangleFloor;
    // The metric twin Kestrune shows for each text typed into txtProjImp.
    QHash<QString, QString> projectionTwin;
    // The boxes Calculate fills, with their texts; the boxes the triangle solve changes, with
    // their texts before and after.
    Texts results;
    Texts solveBefore;
    Texts solveAfter;
};
Bench *bench = nullptr;

[[noreturn]] void giveUp(const std::string &why)
{
    std::fprintf(stderr, "kestrune-bench: %s\n", why.c_str());
    std::exit(EXIT_FAILURE);
}

template <class Control> Control *control(QWidget *window, const QString &name)
{
    Control *found = window ? window->findChild<Control *>(name) : nullptr;
    if (!found) giveUp("no control " + name.toStdString() + " in the window");
    return found;
}

QLineEdit *box(QWidget *window, const char *name)
{
    return control<QLineEdit>(window, QString::fromLatin1(name));
}

QPushButton *button(QWidget *window, const char *name)
{
    return control<QPushButton>(window, QString::fromLatin1(name));
}

// ---- Acting as the user

void settle()
{
    QCoreApplication::processEvents();
}

void activate(QWidget *window)
{
    if (QApplication::activeWindow() == window) return;
    window->raise();
    window->activateWindow();
    settle();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    settle();
}

QWidget *focused()
{
    QWidget *widget = QApplication::focusWidget();
    if (!widget) giveUp("no control holds the focus");
    return widget;
}

void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), code, modifiers);
    settle();
}

void type(const QString &text)
{
    for (const QChar c : text) {
        QTest::keyClick(focused(), c.toLatin1());
        settle();
    }
}

// A click into a box lands after its text, as the scripted driver clicks.
void clickInto(QLineEdit *box)
{
    activate(box->window());
    QTest::mouseClick(
        box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 3, box->height() / 2));
    settle();
}

void replaceText(QLineEdit *box, const QString &text)
{
    clickInto(box);
    key(Qt::Key_A, Qt::ControlModifier);
    type(text);
}

// A click on a button, the button's sunken face and its release each repainted as on a screen.
void clickButton(QPushButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    settle();
    QTest::mouseRelease(button, Qt::LeftButton);
    settle();
}

// A command given by a click on its button, or by Enter where the focus is.
void command(bool byClick, QPushButton *button)
{
    if (byClick)
        clickButton(button);
    else
        QTest::keyClick(focused(), Qt::Key_Return);
}

Texts boxTexts(QWidget *window)
{
    Texts texts;
    for (const QLineEdit *box : window->findChildren<QLineEdit *>())
        texts.emplace_back(box->objectName(), box->text());
    return texts;
}

// The boxes whose text differs between two pictures of the same window.
Texts changed(const Texts &before, const Texts &after, Texts *was = nullptr)
{
    Texts result;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].second == after[i].second) continue;
        result.push_back(after[i]);
        if (was) was->push_back(before[i]);
    }
    return result;
}

void show(QWidget *window, const Texts &texts)
{
    for (const auto &[name, text] : texts)
        control<QLineEdit>(window, name)->setText(text);
}

bool showing(QWidget *window, const Texts &texts)
{
    return std::all_of(texts.begin(), texts.end(), [window](const auto &entry) {
        return control<QLineEdit>(window, entry.first)->text() == entry.second;
    });
}

// ---- Rehearsal and floors

// The worked imperial example: 100 ft, 50 ft, 40 in, 30 degrees 0 minutes, typed into the boxes.
void typeImperialExample(QWidget *main)
{
    replaceText(box(main, "txtProjImp"), QStringLiteral("100"));
    replaceText(box(main, "txtRiseImp"), QStringLiteral("50"));
    replaceText(box(main, "txtWidthImp"), QStringLiteral("40"));
    replaceText(box(main, "txtDeg"), QStringLiteral("30"));
    replaceText(box(main, "txtMin"), QStringLiteral("0"));
}

// Runs each step once through Kestrune's windows and records what it showed, which the floors
// then show in the same boxes.
void rehearse()
{
    QWidget *main = bench->main;
    QLineEdit *projection = box(main, "txtProjImp");
    QLineEdit *projectionMetric = box(main, "txtProjMet");
    replaceText(projection, QStringLiteral("10"));
    bench->projectionTwin.insert(projection->text(), projectionMetric->text());
    type(QStringLiteral("5"));
    bench->projectionTwin.insert(projection->text(), projectionMetric->text());

    typeImperialExample(main);
    const Texts beforeCalculate = boxTexts(main);
    key(Qt::Key_Return);
    bench->results = changed(beforeCalculate, boxTexts(main));
    if (bench->results.size() != 9) giveUp("Calculate did not fill the nine results");

    key(Qt::Key_R, Qt::ControlModifier);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("triangle") && window->isVisible())
            bench->triangle = window;
    }
    if (!bench->triangle) giveUp("Ctrl+R did not open the triangle window");
    QWidget *triangle = bench->triangle;
    replaceText(box(triangle, "Text31"), QStringLiteral("30"));
    replaceText(box(triangle, "Text30"), QStringLiteral("0"));
    replaceText(box(triangle, "Text33"), QStringLiteral("10"));
    clickButton(button(triangle, "Command9"));
    // What the benchmark repeats: h typed again after a solve, then the solve.
    replaceText(box(triangle, "Text33"), QStringLiteral("10"));
    const Texts beforeSolve = boxTexts(triangle);
    clickButton(button(triangle, "Command9"));
    bench->solveAfter = changed(beforeSolve, boxTexts(triangle), &bench->solveBefore);
    if (bench->solveAfter.size() < 4) giveUp("the triangle solve did not fill its results");
    if (bench->messages != 0) giveUp("a message box came up during the rehearsal");
}

// The floors, wired to show what Kestrune showed: a keystroke in the projection box shows its
// twin and blanks the results, Enter or the Calculate button shows the results, a keystroke in
// the triangle's h blanks what the solve writes and its button shows the solve's texts again.
void makeFloors()
{
    bench->mainFloor = makeFloorWindow(bench->main, bench->toolkitStyle.get());
    bench->triangleFloor = makeFloorWindow(bench->triangle, bench->toolkitStyle.get());
    QWidget *main = bench->mainFloor;
    QWidget *triangle = bench->triangleFloor;
    QLineEdit *projection = box(main, "txtProjImp");
    QLineEdit *twin = box(main, "txtProjMet");
    QObject::connect(projection, &QLineEdit::textChanged, main, [main, twin](const QString &text) {
        twin->setText(bench->projectionTwin.value(text));
        for (const auto &[name, result] : bench->results)
            control<QLineEdit>(main, name)->clear();
    });
    const auto showResults = [main] { show(main, bench->results); };
    QObject::connect(projection, &QLineEdit::returnPressed, main, showResults);
    QObject::connect(button(main, "cmdCalculate"), &QPushButton::clicked, main, showResults);
    QObject::connect(box(triangle, "Text33"), &QLineEdit::textChanged, triangle,
        [triangle] { show(triangle, bench->solveBefore); });
    QPushButton *solve = button(triangle, "Command9");
    QObject::connect(
        solve, &QPushButton::clicked, triangle, [triangle] { show(triangle, bench->solveAfter); });
    // Tab from h reaches the row's button, and Enter there presses it, as in Kestrune's window.
    QWidget::setTabOrder(box(triangle, "Text33"), solve);
    solve->setAutoDefault(true);
    main->show();
    triangle->show();
    settle();
}

// ---- Measuring

using Clock = std::chrono::steady_clock;

// The times of a benchmark's steps: on the wall clock (what the user waits for) and on the clock
// of the main thread's processor time (the work done, leaving out waiting for an X server).
struct Samples {
    std::vector<double> wall;
    std::vector<double> work;
    explicit Samples(const benchmark::State &state)
    {
        wall.reserve(static_cast<std::size_t>(state.max_iterations));
        work.reserve(static_cast<std::size_t>(state.max_iterations));
    }
};

double threadMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Times one step: the action and everything it leaves for the event loop, repaints included.
// Never inlined, so that a profiler can count exactly the timed steps (valgrind's
// --toggle-collect='*timedStep*').
Q_NEVER_INLINE void timedStep(
    benchmark::State &state, Samples &samples, const std::function<void()> &action)
{
    const double workStart = threadMicroseconds();
    const Clock::time_point start = Clock::now();
    action();
    settle();
    const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    samples.work.push_back(threadMicroseconds() - workStart);
    samples.wall.push_back(elapsed);
    state.SetIterationTime(elapsed / 1e6);
}

void fail(benchmark::State &state, const std::string &what)
{
    ++failures;
    state.SkipWithError(what.c_str());
}

std::string figureName(const std::string &figure, bool floor)
{
    return figure + platformTag + (floor ? "_floor_us" : "_us");
}

double medianOf(std::vector<double> &values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void report(benchmark::State &state, Samples &samples, const std::string &name)
{
    if (samples.wall.empty()) return;
    const double median = medianOf(samples.wall);
    state.counters["median_us"] = median;
    state.counters["min_us"] = samples.wall.front();
    state.counters["max_us"] = samples.wall.back();
    state.counters["work_us"] = medianOf(samples.work);
    medians[name] = median;
    workMedians[name] = state.counters["work_us"];
}

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

// Calculate on the imperial example, by Enter in the projection box or by a click on the
// button. Before each step, untimed, the projection is typed again, which blanks the results.
void calculate(benchmark::State &state, QWidget *window, bool byClick, const std::string &name)
{
    QLineEdit *projection = box(window, "txtProjImp");
    QPushButton *calculateButton = button(window, "cmdCalculate");
    typeImperialExample(window);
    replaceText(projection, QStringLiteral("100"));
    const int messagesBefore = bench->messages;
    Samples samples(state);
    for (auto _ : state) {
        if (byClick) {
            replaceText(projection, QStringLiteral("100"));
        } else {
            key(Qt::Key_Backspace);
            type(QStringLiteral("0"));
        }
        if (!control<QLineEdit>(window, bench->results.front().first)->text().isEmpty())
            return fail(state, "typing did not blank the results");
        timedStep(
            state, samples, [byClick, calculateButton] { command(byClick, calculateButton); });
    }
    if (bench->messages != messagesBefore) return fail(state, "Calculate showed a message box");
    if (!showing(window, bench->results))
        return fail(state, "the results are not those of the worked example");
    report(state, samples, name);
}

// The triangle's row 8 (A = 30 degrees 0 minutes, h = 10) solved, which hands over to row 2 and
// shows the angles: by Enter on the row's button, which Tab reaches from h, or by a click on it.
// Before each step, untimed, h is typed again, which blanks what the solve writes.
void solveTriangle(benchmark::State &state, QWidget *window, bool byClick, const std::string &name)
{
    QLineEdit *hypotenuse = box(window, "Text33");
    QPushButton *solve = button(window, "Command9");
    const int messagesBefore = bench->messages;
    Samples samples(state);
    for (auto _ : state) {
        replaceText(hypotenuse, QStringLiteral("10"));
        if (!showing(window, bench->solveBefore))
            return fail(state, "typing h did not blank the solve's results");
        if (!byClick) {
            key(Qt::Key_Tab);
            if (QApplication::focusWidget() != solve)
                return fail(state, "Tab from h did not reach the row's button");
        }
        timedStep(state, samples, [byClick, solve] { command(byClick, solve); });
    }
    if (bench->messages != messagesBefore) return fail(state, "the solve showed a message box");
    if (!showing(window, bench->solveAfter)) return fail(state, "the solve showed other results");
    report(state, samples, name);
}

// One benchmark: a step on Kestrune's window or on its floor.
struct Step {
    const char *name;
    const char *figure;
    bool floor;
    bool keystroke;
    std::function<void(benchmark::State &, QWidget *main, QWidget *triangle, const std::string &)>
        run;
};

const std::vector<Step> &steps()
{
    static const std::vector<Step> all = [] {
        std::vector<Step> list;
        const auto both = [&list](const char *kestrune, const char *floor, const char *figure,
                              bool keystroke, const auto &run) {
            list.push_back({ kestrune, figure, false, keystroke, run });
            list.push_back({ floor, figure, true, keystroke, run });
        };
        both("keystroke/txtProjImp", "keystroke/txtProjImp_floor", "keystroke", true,
            [](benchmark::State &s, QWidget *main, QWidget *, const std::string &name) {
                typeInTurn(s, main, "txtProjImp", '5', QStringLiteral("10"), name);
            });
        both("keystroke/txtDeg", "keystroke/txtDeg_floor", "keystroke_angle", true,
            [](benchmark::State &s, QWidget *main, QWidget *, const std::string &name) {
                typeInTurn(s, main, "txtDeg", '0', QStringLiteral("3"), name);
            });
        both("keystroke/triangle_Text8", "keystroke/triangle_Text8_floor", "keystroke_triangle",
            true, [](benchmark::State &s, QWidget *, QWidget *triangle, const std::string &name) {
                typeInTurn(s, triangle, "Text8", '5', QStringLiteral("12"), name);
            });
        both("calculate/enter", "calculate/enter_floor", "calculate", false,
            [](benchmark::State &s, QWidget *main, QWidget *, const std::string &name) {
                calculate(s, main, false, name);
            });
        both("calculate/click", "calculate/click_floor", "calculate_click", false,
            [](benchmark::State &s, QWidget *main, QWidget *, const std::string &name) {
                calculate(s, main, true, name);
            });
        both("triangle_solve/enter", "triangle_solve/enter_floor", "triangle_solve", false,
            [](benchmark::State &s, QWidget *, QWidget *triangle, const std::string &name) {
                solveTriangle(s, triangle, false, name);
            });
        both("triangle_solve/click", "triangle_solve/click_floor", "triangle_solve_click", false,
            [](benchmark::State &s, QWidget *, QWidget *triangle, const std::string &name) {
                solveTriangle(s, triangle, true, name);
            });
        return list;
    }();
    return all;
}

// Each figure beside its floor: the wall-clock medians, and the medians of the main thread's
// processor time (the work, without waiting for the X server).
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

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    using namespace kestrune;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    benchmark::Initialize(&argc, argv);
    bool toolkitStyle = false;
    long stepCount = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else if (std::strcmp(argv[i], "--toolkit-style") == 0) {
            toolkitStyle = true;
        } else if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc) {
            stepCount = std::max(1L, std::atol(argv[++i]));
        } else {
            std::fprintf(stderr, "kestrune-bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) platformTag = "_x11";
    Bench state;
    bench = &state;
    state.toolkitStyle.reset(QStyleFactory::create(QApplication::style()->name()));
    if (!toolkitStyle) installWindowStyle();
    state.services
        = std::make_unique<RecordingServices>([&state](const QString &) { ++state.messages; });
    state.main = openMainWindow(*state.services);
    state.main->setAttribute(Qt::WA_DeleteOnClose);
    state.main->show();
    activate(state.main);
    rehearse();
    makeFloors();

    const long keystrokes = stepCount ? stepCount : smoke ? 20 : 4000;
    const long commands = stepCount ? stepCount : smoke ? 10 : 2000;
    for (const Step &step : steps()) {
        const std::string name = figureName(step.figure, step.floor);
        const Step *registered = &step;
        benchmark::RegisterBenchmark(step.name,
            [registered, name](benchmark::State &s) {
                QWidget *main = registered->floor ? bench->mainFloor : bench->main;
                QWidget *triangle = registered->floor ? bench->triangleFloor : bench->triangle;
                registered->run(s, main, triangle, name);
            })
            ->Iterations(step.keystroke ? keystrokes : commands)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (auto *style = qobject_cast<WindowStyle *>(QApplication::style())) {
        const WindowStyle::Counts counts = style->counts();
        std::printf("\ntext box frames in Kestrune's windows: %ld copied from the cache, %ld drawn "
                    "into it, %ld drawn directly the first time, %ld drawn directly where a copy "
                    "would not be exact\n",
            counts.copied, counts.cached, counts.firstSeen, counts.direct);
    }
    printTable();
    std::printf("\n");
    for (const auto &[name, median] : medians)
        std::printf("%s %.3f\n", name.c_str(), median);

    delete state.mainFloor.data();
    delete state.triangleFloor.data();
    delete state.triangle.data();
    delete state.main.data();
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
