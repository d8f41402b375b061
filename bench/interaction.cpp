// SPDX-License-Identifier: GPL-3.0-or-later
// How fast Kestrune answers: a keystroke into a measurement box, into an angle box and into a
// triangle box, the Calculate command and a chained triangle solve, each through the real windows
// on the offscreen platform, with the repaint the user waits for counted in. Beside them, the
// toolkit's own cost of a keystroke into a bare line edit in a window of the same size: the floor
// the keystroke figures are judged against.
//
// Every step is timed on its own; the figure of a benchmark is the median step in microseconds
// (counter `median_us`, with `min_us` and `max_us`). After the run the medians are printed as a
// summary, one figure a line, for bench/run.sh to collect.
//
// `--smoke` runs a few steps of each and fails when a step did not do what it should (a message
// box came up, a field holds the wrong text, nothing was repainted).

#include "mainwindow/mainwindow.h"
#include "platform/form.h"
#include "platform/textbox.h"
#include "tools/recordingservices.h"
#include "triangle/trianglewindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrune {
namespace {

// The windows under test, shared by all benchmarks of the run.
struct Session {
    int transcriptLines = 0;
    std::unique_ptr<RecordingServices> services;
    QPointer<MainWindow> main;
    QPointer<QMainWindow> bareWindow;
    QPointer<QLineEdit> bareBox;
    QPointer<QLineEdit> bareTwin;
    std::vector<QPointer<QLineEdit>> bareResults;
};
Session *session = nullptr;

bool smoke = false;
int failures = 0;

// The median of each benchmark's last run, by summary name, for the summary lines.
std::map<std::string, double> medians;

// Counts the paint events of the widgets it watches: a keystroke that repaints nothing would be
// measuring less than the user waits for.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void fail(benchmark::State &state, const std::string &what)
{
    ++failures;
    state.SkipWithError(what.c_str());
}

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Reports the steps' times: median, fastest and slowest, in microseconds.
void report(benchmark::State &state, std::vector<double> samples, const std::string &summaryName)
{
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    state.counters["median_us"] = median;
    state.counters["min_us"] = samples.front();
    state.counters["max_us"] = samples.back();
    medians[summaryName] = median;
}

// Makes `window` the active window with the focus in `box`, as a click into it would.
void focusInto(QWidget *window, QWidget *box, Form *form)
{
    window->raise();
    window->activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    if (form)
        form->setFocusTo(box);
    else
        box->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
}

// Types `digit` and Backspace alternately into the focused box of the active window, as the user
// does, each keystroke timed with the change handling it runs and the repaint that shows it.
void typeAlternately(benchmark::State &state, QLineEdit *box, char digit,
    const std::string &summaryName, const QString &shortText)
{
    PaintCounter counter;
    box->window()->installEventFilter(&counter);
    for (QObject *child : box->window()->findChildren<QWidget *>())
        child->installEventFilter(&counter);

    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    bool typeDigit = true;
    const int before = session->transcriptLines;
    for (auto _ : state) {
        QWidget *focused = QApplication::focusWidget();
        const Clock::time_point start = Clock::now();
        if (typeDigit)
            QTest::keyClick(focused, digit);
        else
            QTest::keyClick(focused, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        const double elapsed = microsecondsSince(start);
        state.SetIterationTime(elapsed / 1e6);
        samples.push_back(elapsed);
        typeDigit = !typeDigit;
    }
    box->window()->removeEventFilter(&counter);
    for (QObject *child : box->window()->findChildren<QWidget *>())
        child->removeEventFilter(&counter);

    if (QApplication::focusWidget() != box)
        return fail(state, "the focus left the box being typed into");
    if (session->transcriptLines != before)
        return fail(state, "a keystroke brought up a message box");
    const QString expected = typeDigit ? shortText : shortText + QLatin1Char(digit);
    if (box->text() != expected)
        return fail(state,
            "the box holds \"" + box->text().toStdString() + "\" instead of \""
                + expected.toStdString() + "\"");
    if (counter.paints < state.iterations())
        return fail(state, "the keystrokes were not all repainted");
    state.counters["paints_per_key"]
        = static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
    report(state, std::move(samples), summaryName);
}

void setUpMeasurements(const MainWindow::Controls &ui)
{
    ui.txtProjImp->setFieldText(QStringLiteral("100"));
    ui.txtRiseImp->setFieldText(QStringLiteral("50"));
    ui.txtWidthImp->setFieldText(QStringLiteral("40"));
    ui.txtDeg->setFieldText(QStringLiteral("30"));
    ui.txtMin->setFieldText(QStringLiteral("0"));
}

void keystrokeMeasurement(benchmark::State &state)
{
    MainWindow &main = *session->main;
    const auto &ui = main.controls();
    setUpMeasurements(ui);
    ui.txtProjImp->setFieldText(QStringLiteral("10"));
    focusInto(&main, ui.txtProjImp, &main.form());
    ui.txtProjImp->end(false);
    typeAlternately(state, ui.txtProjImp, '5', "keystroke_us", QStringLiteral("10"));
    if (state.error_occurred()) return;
    if (ui.txtProjMet->text().isEmpty() || !ui.txtCotangent->text().isEmpty())
        fail(state, "the metric twin or the results do not follow the typed projection");
}

void keystrokeAngle(benchmark::State &state)
{
    MainWindow &main = *session->main;
    const auto &ui = main.controls();
    setUpMeasurements(ui);
    // "3" and "30" degrees are both accepted angles: the check runs and lets them stand.
    ui.txtDeg->setFieldText(QStringLiteral("3"));
    focusInto(&main, ui.txtDeg, &main.form());
    ui.txtDeg->end(false);
    typeAlternately(state, ui.txtDeg, '0', "keystroke_angle_us", QStringLiteral("3"));
}

TriangleWindow *openTriangle()
{
    MainWindow &main = *session->main;
    if (!main.triangleWindow()) main.openTriangle();
    QCoreApplication::processEvents();
    return main.triangleWindow();
}

void keystrokeTriangle(benchmark::State &state)
{
    TriangleWindow *triangle = openTriangle();
    if (!triangle) return fail(state, "the triangle window did not open");
    const auto &ui = triangle->controls();
    ui.Text8->setFieldText(QStringLiteral("12"));
    focusInto(triangle, ui.Text8, &triangle->form());
    ui.Text8->end(false);
    typeAlternately(state, ui.Text8, '5', "keystroke_triangle_us", QStringLiteral("12"));
}

// An empty main window of Kestrune's size holding plain line edits: one to type into, its twin,
// and nine read-only boxes where Kestrune shows the cotangent and the four loads in two units.
void createBareWindow()
{
    if (!session->bareWindow) {
        auto *window = new QMainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->menuBar();
        auto *client = new QWidget(window);
        client->setFixedSize(601, 488);
        window->setCentralWidget(client);
        auto *box = new QLineEdit(client);
        box->setGeometry(308, 112, 73, 25);
        auto *twin = new QLineEdit(client);
        twin->setGeometry(444, 112, 73, 25);
        twin->setReadOnly(true);
        for (int i = 0; i < 9; ++i) {
            auto *result = new QLineEdit(client);
            const int row = (i + 1) / 2, column = i == 0 ? 0 : (i - 1) % 2;
            result->setGeometry(308 + 136 * column, 260 + 32 * row, 73, 25);
            result->setReadOnly(true);
            session->bareResults.push_back(result);
        }
        window->show();
        session->bareWindow = window;
        session->bareBox = box;
        session->bareTwin = twin;
    }
}

// The floor: the same keystrokes into a plain line edit in an empty main window of Kestrune's
// size, with no handling of its own; with `withTwin`, each change of its text is also shown,
// converted, in a read-only line edit beside it, as a keystroke in a measurement box shows its
// twin.
void typeIntoBareLineEdit(benchmark::State &state, bool withTwin)
{
    createBareWindow();
    QLineEdit *box = session->bareBox;
    QLineEdit *twin = session->bareTwin;
    QMetaObject::Connection conversion;
    if (withTwin) {
        conversion = QObject::connect(box, &QLineEdit::textChanged, twin, [twin](const QString &t) {
            twin->setText(QString::number(t.toDouble() * 0.30480060960122, 'g', 7));
        });
    }
    box->setText(QStringLiteral("10"));
    focusInto(session->bareWindow, box, nullptr);
    box->end(false);
    typeAlternately(state, box, '5', withTwin ? "bare_keystroke_twin_us" : "bare_keystroke_us",
        QStringLiteral("10"));
    QObject::disconnect(conversion);
}

void keystrokeBareLineEdit(benchmark::State &state)
{
    typeIntoBareLineEdit(state, false);
}

void keystrokeBareLineEditWithTwin(benchmark::State &state)
{
    typeIntoBareLineEdit(state, true);
}

// The floor for Calculate: the toolkit writing nine numbers into nine bare read-only line edits
// and repainting them, with no arithmetic and no handling.
void bareNineResults(benchmark::State &state)
{
    createBareWindow();
    focusInto(session->bareWindow, session->bareBox, nullptr);
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    const QString texts[]
        = { QStringLiteral("1.732051"), QStringLiteral("57735"), QStringLiteral("26188"),
              QStringLiteral("17320"), QStringLiteral("7856"), QStringLiteral("10392"),
              QStringLiteral("4713"), QStringLiteral("8660"), QStringLiteral("3928") };
    for (auto _ : state) {
        for (QLineEdit *result : session->bareResults)
            result->clear();
        QCoreApplication::processEvents();
        const Clock::time_point start = Clock::now();
        for (std::size_t i = 0; i < session->bareResults.size(); ++i)
            session->bareResults[i]->setText(texts[i]);
        QCoreApplication::processEvents();
        const double elapsed = microsecondsSince(start);
        state.SetIterationTime(elapsed / 1e6);
        samples.push_back(elapsed);
    }
    report(state, std::move(samples), "bare_nine_results_us");
}

void calculate(benchmark::State &state)
{
    MainWindow &main = *session->main;
    const auto &ui = main.controls();
    setUpMeasurements(ui);
    focusInto(&main, ui.txtProjImp, &main.form());
    const int before = session->transcriptLines;
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        // As after typing: the results blank, and that repaint already on screen.
        main.clearAnswers();
        QCoreApplication::processEvents();
        const Clock::time_point start = Clock::now();
        main.calculate();
        QCoreApplication::processEvents();
        const double elapsed = microsecondsSince(start);
        state.SetIterationTime(elapsed / 1e6);
        samples.push_back(elapsed);
    }
    if (session->transcriptLines != before) return fail(state, "Calculate showed a message box");
    if (ui.txtCotangent->text().isEmpty() || ui.txtBrakeRunMet->text().isEmpty())
        return fail(state, "Calculate left the results empty");
    report(state, std::move(samples), "calculate_us");
}

void triangleSolve(benchmark::State &state)
{
    TriangleWindow *triangle = openTriangle();
    if (!triangle) return fail(state, "the triangle window did not open");
    const auto &ui = triangle->controls();
    ui.Text31->setFieldText(QStringLiteral("30"));
    ui.Text30->setFieldText(QStringLiteral("0"));
    focusInto(triangle, ui.Text33, &triangle->form());
    const int before = session->transcriptLines;
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        // As after typing h: the row's result and the angle display blank.
        ui.Text33->setFieldText(QString());
        ui.Text33->setFieldText(QStringLiteral("10"));
        QCoreApplication::processEvents();
        const Clock::time_point start = Clock::now();
        triangle->solve(8);
        QCoreApplication::processEvents();
        const double elapsed = microsecondsSince(start);
        state.SetIterationTime(elapsed / 1e6);
        samples.push_back(elapsed);
    }
    if (session->transcriptLines != before) return fail(state, "the solve showed a message box");
    // a = 10 sin 30 degrees, handed over to row 2, whose solve finds b and the angles.
    if (ui.Text32->text().isEmpty() || ui.Text6->text().isEmpty() || ui.Text34->text().isEmpty())
        return fail(state, "the solve left its results empty");
    report(state, std::move(samples), "triangle_solve_us");
}

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    using namespace kestrune;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else {
            std::fprintf(stderr, "kestrune-bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    Session state;
    state.services = std::make_unique<RecordingServices>(
        [&state](const QString &) { ++state.transcriptLines; });
    state.main = new MainWindow(*state.services);
    state.main->setAttribute(Qt::WA_DeleteOnClose);
    state.main->show();
    session = &state;

    const int keystrokes = smoke ? 20 : 4000;
    const int commands = smoke ? 10 : 2000;
    const std::pair<const char *, void (*)(benchmark::State &)> benchmarks[] = {
        { "keystroke/txtProjImp", keystrokeMeasurement },
        { "keystroke/txtDeg", keystrokeAngle },
        { "keystroke/bare_QLineEdit", keystrokeBareLineEdit },
        { "keystroke/bare_QLineEdit_with_twin", keystrokeBareLineEditWithTwin },
        { "calculate/imperial_example", calculate },
        { "calculate/bare_nine_QLineEdits", bareNineResults },
        { "keystroke/triangle_Text8", keystrokeTriangle },
        { "triangle_solve/row8", triangleSolve },
    };
    for (const auto &[name, function] : benchmarks) {
        const bool isKeystroke = std::strncmp(name, "keystroke", 9) == 0;
        benchmark::RegisterBenchmark(name, function)
            ->Iterations(isKeystroke ? keystrokes : commands)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    delete state.bareWindow.data();
    if (state.main && state.main->triangleWindow()) delete state.main->triangleWindow();
    delete state.main.data();

    if (medians.count("bare_keystroke_us") && medians.count("bare_keystroke_twin_us")) {
        std::printf("\nfloor: a keystroke into a bare line edit in an empty window of the same "
                    "size takes %.3f us (median), %.3f us when a second line edit shows its "
                    "conversion\n",
            medians["bare_keystroke_us"], medians["bare_keystroke_twin_us"]);
    }
    if (medians.count("bare_nine_results_us")) {
        std::printf("floor: writing nine numbers into nine bare line edits and repainting them "
                    "takes %.3f us (median)\n",
            medians["bare_nine_results_us"]);
    }
    std::printf("\n");
    for (const char *name : { "keystroke_us", "keystroke_angle_us", "keystroke_triangle_us",
             "calculate_us", "triangle_solve_us" }) {
        if (medians.count(name)) std::printf("%s %.3f\n", name, medians[name]);
    }
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
