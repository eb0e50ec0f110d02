// How fast the channel table answers: a full reload of a 32-channel table, and the
// time from a key press on the grid to the open editor. Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_channels [runs]
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "channels/channel_grid.h"
#include "channels/chn_msg_form_view.h"
#include "config/language_file.h"

using namespace radio;

namespace {

double MedianMs(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    const std::size_t n = ns.size();
    const qint64 mid = n % 2 ? ns[n / 2] : (ns[n / 2 - 1] + ns[n / 2]) / 2;
    return double(mid) / 1e6;
}

double MaxMs(const std::vector<qint64>& ns)
{
    return double(*std::max_element(ns.begin(), ns.end())) / 1e6;
}

std::vector<qint64> Measure(int runs, const std::function<void()>& prepare,
                            const std::function<void()>& work)
{
    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed());
    }
    return times;
}

void Report(const char* what, const std::vector<qint64>& ns, double targetMs)
{
    const double median = MedianMs(ns);
    std::printf("%-52s median %7.3f ms  max %7.3f ms  (target < %.0f ms) %s\n", what, median,
                MaxMs(ns), targetMs, median < targetMs ? "ok" : "SLOW");
}

// Every channel programmed, with tones of all three kinds.
void FillChannels(RadioData& data)
{
    data.model = 0;
    data.bandLower = 400;
    data.bandUpper = 470;
    for (int i = 0; i < kMaxChannels; ++i) {
        ChannelRecord record = data.Channel(i);
        record.Erase();
        // 430.0 to 433.1 MHz in 100 kHz steps, one BCD digit each for MHz and 100 kHz.
        record.SetRxFrequency(0x43000000u | std::uint32_t(i / 10) << 20 |
                              std::uint32_t(i % 10) << 16);
        record.SetTxFrequency(0x43500000u);
        record.SetRxTone(i % 3 == 0 ? 885 : i % 3 == 1 ? 0x2813 : 0xFFFF);
        record.SetTxTone(i % 2 ? 0xA9EC : 1000);
        record.SetOption(ChannelOption::BusyLock, i % 2);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    RadioDocument document;
    // The bench sets the record up and changes its texts directly, outside the history:
    // a change that changes nothing hands it the record.
    RadioData* record = nullptr;
    document.Change([&record](RadioData& d) {
        record = &d;
        return QString();
    });
    RadioData& data = *record;
    LanguageNames names;
    if (!LoadLanguageFile(QStringLiteral(RADIOPROG_LANG_FILE), 0, data.texts, names)) {
        std::fprintf(stderr, "no language file at %s; texts stay empty\n", RADIOPROG_LANG_FILE);
    }
    FillChannels(data);

    CChnMsgFormView view(&document);
    view.resize(view.sizeHint());
    view.show();
    view.activateWindow();
    if (!QTest::qWaitForWindowExposed(&view)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    std::printf("32-channel table, %d runs, platform %s; row 32 reads \"%s | %s | %s\"\n", runs,
                qPrintable(QGuiApplication::platformName()), qPrintable(view.CellText(32, 1)),
                qPrintable(view.CellText(32, 4)), qPrintable(view.CellText(32, 8)));

    const auto nothing = [] {};
    Report("LoadFromRecord", Measure(runs, nothing, [&] { view.LoadFromRecord(); }), 20);
    Report("LoadFromRecord + repaint",
           Measure(runs, nothing,
                   [&] {
                       view.LoadFromRecord();
                       view.repaint();
                   }),
           20);
    // The off text changes (another language): the 1077 tone texts are built again.
    int language = 0;
    Report("RefreshTexts with a new off text + repaint",
           Measure(
               runs, [&] { data.texts.SetText(text::Off, ++language % 2 ? "Off" : "OFF"); },
               [&] {
                   view.RefreshTexts();
                   view.repaint();
               }),
           20);

    ChannelGrid* grid = view.Grid();
    int row = 0;
    const auto keyToEditor = [&](int column, char key) {
        return Measure(
            runs,
            [&, column] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                row = row % 32 + 1;
                view.SetCurrentCell(row, column);
                grid->setFocus();
                QCoreApplication::processEvents();
            },
            [&, key] {
                QTest::keyClick(grid, key);
                view.repaint();
            });
    };
    Report("key press to open frequency editor + repaint", keyToEditor(1, '4'), 16);
    Report("key press to open tone list + repaint", keyToEditor(3, '8'), 16);
    Report("key press to open option list + repaint", keyToEditor(6, 'h'), 16);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // The row commands on all 32 channels, each one step of the history, with the
    // repaint that shows it. The history is emptied between runs so that it does not grow.
    const auto selectAll = [&] {
        document.History()->clear();
        view.SetCurrentCell(1, 1);
        grid->selectAll();
    };
    Report("sort 32 channels + repaint",
           Measure(runs, selectAll,
                   [&] {
                       view.SortChannels();
                       view.repaint();
                   }),
           20);
    Report("move 31 channels down + repaint",
           Measure(
               runs,
               [&] {
                   document.History()->clear();
                   view.SetCurrentCell(1, 1);
                   grid->selectionModel()->select(
                       QItemSelection(grid->model()->index(0, 0), grid->model()->index(30, 7)),
                       QItemSelectionModel::ClearAndSelect);
               },
               [&] {
                   view.MoveChannels(1);
                   view.MoveChannels(-1);
                   view.repaint();
               }),
           20);
    int power = 0;
    Report("bulk set power on 32 channels + repaint",
           Measure(runs, selectAll,
                   [&] {
                       BulkSettings settings;
                       settings.highPower = ++power % 2 == 0;
                       view.SetForSelected(settings);
                       view.repaint();
                   }),
           20);
    return 0;
}
