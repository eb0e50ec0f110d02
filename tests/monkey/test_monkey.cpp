// A monkey on the editing views: a seeded stream of random key presses and clicks on
// the channel table and the optional features, key settings and scan views, all four
// on one record as in the program. Message boxes are answered at once. Every hundred
// events the record must hold only what the views may store (frequencies decimal or
// erased, tones off or listed, feature bytes in their ranges) and the channel table
// must show what the record holds; every thousand events the views store their edits
// and the masks are rebuilt, as before a save or a write, and checked too.
//
// The Edit menu's keys (undo, redo, the clipboard) act as the main window would.
//
// A run takes a fixed list of seeds, each of which once found a fault, so that a
// fault comes back where it was found, and one fresh seed. The seeds are printed at
// the start and with every failure. To repeat a run of one seed:
//   RADIOPROG_MONKEY_SEED=<seed> test_monkey      or   test_monkey --seed <seed>
// The number of events (20000 by default, a third each on a 16-channel record, a
// 32-channel one and one opened from a file of random bytes): RADIOPROG_MONKEY_EVENTS
// or --events.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <array>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "channels/chn_msg_form_view.h"
#include "data/channel_codec.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"
#include "tests/channels/channel_test_support.h"
#include "tests/features/feature_test_support.h"
#include "tests/fuzz/record_invariants.h"
#include "widgets/num_edit.h"

using namespace radio;
using namespace radio::test;

namespace {

// The keys the monkey presses, with how often each comes relative to the others.
// Printable keys are sent as their character (text and key code); the others as
// the key alone.
struct MonkeyKey {
    Qt::Key key;
    char character;  // 0 for a key without text
    Qt::KeyboardModifiers modifiers;
    int weight;
};

const MonkeyKey kKeys[] = {
    {Qt::Key_0, '0', Qt::NoModifier, 3},
    {Qt::Key_1, '1', Qt::NoModifier, 5},
    {Qt::Key_2, '2', Qt::NoModifier, 3},
    {Qt::Key_3, '3', Qt::NoModifier, 3},
    {Qt::Key_4, '4', Qt::NoModifier, 4},
    {Qt::Key_5, '5', Qt::NoModifier, 3},
    {Qt::Key_6, '6', Qt::NoModifier, 3},
    {Qt::Key_7, '7', Qt::NoModifier, 3},
    {Qt::Key_8, '8', Qt::NoModifier, 3},
    {Qt::Key_9, '9', Qt::NoModifier, 3},
    {Qt::Key_Period, '.', Qt::NoModifier, 4},
    {Qt::Key_Space, ' ', Qt::NoModifier, 1},
    {Qt::Key_A, 'A', Qt::NoModifier, 1},
    {Qt::Key_B, 'b', Qt::NoModifier, 1},
    {Qt::Key_D, 'D', Qt::NoModifier, 2},
    {Qt::Key_N, 'N', Qt::NoModifier, 1},
    {Qt::Key_I, 'I', Qt::NoModifier, 1},
    {Qt::Key_X, 'x', Qt::NoModifier, 1},
    {Qt::Key_Asterisk, '*', Qt::NoModifier, 1},
    {Qt::Key_NumberSign, '#', Qt::NoModifier, 1},
    {Qt::Key_Minus, '-', Qt::NoModifier, 1},
    {Qt::Key_Tab, 0, Qt::NoModifier, 6},
    {Qt::Key_Backtab, 0, Qt::ShiftModifier, 2},
    {Qt::Key_Return, 0, Qt::NoModifier, 5},
    {Qt::Key_Enter, 0, Qt::KeypadModifier, 1},
    {Qt::Key_Escape, 0, Qt::NoModifier, 2},
    {Qt::Key_Delete, 0, Qt::NoModifier, 2},
    {Qt::Key_Backspace, 0, Qt::NoModifier, 3},
    {Qt::Key_Up, 0, Qt::NoModifier, 3},
    {Qt::Key_Down, 0, Qt::NoModifier, 4},
    {Qt::Key_Left, 0, Qt::NoModifier, 2},
    {Qt::Key_Right, 0, Qt::NoModifier, 2},
    {Qt::Key_Home, 0, Qt::NoModifier, 1},
    {Qt::Key_End, 0, Qt::NoModifier, 1},
    {Qt::Key_F2, 0, Qt::NoModifier, 1},
    // The Edit menu's keys: undo, redo and the clipboard.
    {Qt::Key_Z, 0, Qt::ControlModifier, 2},
    {Qt::Key_Y, 0, Qt::ControlModifier, 1},
    {Qt::Key_C, 0, Qt::ControlModifier, 1},
    {Qt::Key_V, 0, Qt::ControlModifier, 2},
    {Qt::Key_X, 0, Qt::ControlModifier, 1},
};

// Of a hundred events: keys, then clicks, the rest moves to another view.
constexpr int kKeyShare = 72;
constexpr int kClickShare = 25;
constexpr int kCheckEvery = 100;
constexpr int kCollectEvery = 1000;
constexpr int kDefaultEvents = 20000;

// Seeds that found a fault: a row shown as "off" whose record is no channel.
constexpr std::uint32_t kKnownSeeds[] = {909874917u};

// A record as a dealer might start from: a few channels with tones, the rest empty.
RadioData StartRecord(int model, int bandLower, int bandUpper)
{
    RadioData data;
    NameTexts(data);
    SetTableTexts(data);
    data.model = model;
    data.bandLower = bandLower;
    data.bandUpper = bandUpper;
    const std::uint32_t base = std::uint32_t(bandLower / 100) << 28 |
                               std::uint32_t(bandLower / 10 % 10) << 24 |
                               std::uint32_t(bandLower % 10) << 20;
    SetChannel(data, 0, {base | 0x12500, base | 0x12500, 885, 885});
    SetChannel(data, 1, {base | 0x50000, base | 0x60000, 0x2813, 0xFFFF});
    SetChannel(data, 4, {base | 0x00625, base | 0x00625, 0xA9EC, 670});
    if (model == 0) {
        SetChannel(data, 20, {base | 0x97500, base | 0x97500, 0xFFFF, 0xFFFF});
    }
    return data;
}

// The texts of StartRecord with a file's 940 bytes of anything.
RadioData RecordOfAnyBytes(std::uint32_t seed)
{
    RadioData data = StartRecord(1, 136, 174);
    std::mt19937 random(seed);
    std::array<std::uint8_t, image::kFileFieldsSize> bytes{};
    for (std::uint8_t& b : bytes) {
        b = std::uint8_t(random());
    }
    data.FromFileFields(bytes.data(), bytes.size());
    return data;
}

class Monkey {
public:
    Monkey(RadioDocument* document, std::uint32_t seed)
        : m_document(document), m_data(&document->Record()), m_random(seed)
    {
        m_channels = new CChnMsgFormView(document);
        m_views = {m_channels, new CChoiceFunView(document), new CKeySetView(document),
                   new CScanMsgView(document)};
        for (CEditView* view : m_views) {
            m_owned.emplace_back(view);
            view->resize(view->sizeHint().expandedTo(QSize(480, 360)));
            view->show();
        }
        for (int k = 0; k < int(std::size(kKeys)); ++k) {
            m_keyWeights.push_back(kKeys[k].weight);
        }
        m_keyPick = std::discrete_distribution<int>(m_keyWeights.begin(), m_keyWeights.end());
    }

    bool Activate(int index)
    {
        m_current = index;
        return ShowActive(*m_views[std::size_t(index)]);
    }

    // One random event on the current view.
    void Step()
    {
        ++m_eventsPerView[std::size_t(m_current)];
        const int roll = Pick(100);
        if (roll < kKeyShare) {
            PressKey();
        } else if (roll < kKeyShare + kClickShare) {
            Click();
        } else {
            Activate(Pick(int(m_views.size())));
        }
        QCoreApplication::processEvents();
    }

    // What the views hold goes into the record, and the masks are rebuilt, as the
    // program does before a save, a read and a write.
    void CollectEdits()
    {
        StoreViews();
        m_document->PrepareWrite();
    }

    // The channel table shows the record: with no edit open, every frequency and tone
    // cell holds the text of the record's word or code (a frequency typed with leading
    // zeros, which only a band reaching below 100 MHz lets through, as the same number).
    void CheckTableShowsRecord(Violations& out) const
    {
        if (m_channels->ActiveEditor() != nullptr) {
            return;
        }
        const std::string off = m_data->texts.Text(text::Off);
        for (int i = 0; i < m_data->ChannelCount(); ++i) {
            const ConstChannelRecord ch = std::as_const(*m_data).Channel(i);
            const bool valid = IsBcdFrequency(ch.RxFrequency());
            const std::string expected[] = {
                FormatFrequency(ch.RxFrequency()), FormatFrequency(ch.TxFrequency()),
                FormatTone(ch.RxTone(), valid, off), FormatTone(ch.TxTone(), valid, off)};
            for (int c = 0; c < 4; ++c) {
                const std::string shown = m_channels->CellText(i + 1, c + 1).toStdString();
                if (SameNumberAsShown(shown) != expected[c]) {
                    out.push_back(ChannelName(i) + " column " + std::to_string(c + 1) +
                                  " shows \"" + shown + "\" for \"" + expected[c] + "\"");
                }
            }
        }
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    CEditView* Current() const { return m_views[std::size_t(m_current)]; }

    bool StoreViews()
    {
        bool stored = true;
        for (CEditView* view : m_views) {
            stored = view->StoreToRecord() && stored;
        }
        return stored;
    }

    // What the main window's Edit menu does with its keys when no text field takes
    // them first: undo and redo take the views' edits in first (an open cell editor
    // is only closed by undo); the clipboard keys act on the channel table's rows.
    bool EditMenuKey(const MonkeyKey& key, QWidget* target)
    {
        if (!(key.modifiers & Qt::ControlModifier) || qobject_cast<QLineEdit*>(target)) {
            return false;
        }
        const bool table = Current() == m_channels;
        switch (key.key) {
        case Qt::Key_Z:
            if (table && m_channels->ActiveEditor() != nullptr) {
                m_channels->CancelEdit();
            } else if (StoreViews()) {
                m_document->History()->undo();
            }
            return true;
        case Qt::Key_Y:
            if (!(table && m_channels->ActiveEditor() != nullptr) && StoreViews()) {
                m_document->History()->redo();
            }
            return true;
        case Qt::Key_C:
            if (table) {
                m_channels->CopySelection();
            }
            return true;
        case Qt::Key_V:
            if (table) {
                m_channels->PasteClipboard();
            }
            return true;
        case Qt::Key_X:
            if (table) {
                m_channels->CutSelection();
            }
            return true;
        default: return false;
        }
    }

    // Keys go where a user's keys go: to the focus widget of the current view's
    // window (the view itself when nothing in it has the focus).
    void PressKey()
    {
        const MonkeyKey& key = kKeys[std::size_t(m_keyPick(m_random))];
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != Current()->window()) {
            target = Current()->focusWidget() ? Current()->focusWidget() : Current();
        }
        if (EditMenuKey(key, target)) {
            return;
        }
        if (key.character != 0) {
            QTest::keyClick(target, key.character, key.modifiers);
        } else {
            QTest::keyClick(target, key.key, key.modifiers);
        }
    }

    // A left click anywhere on the current view, on whatever control lies there.
    void Click()
    {
        QWidget* view = Current();
        const QPoint at(Pick(std::max(1, view->width())), Pick(std::max(1, view->height())));
        QWidget* child = view->childAt(at);
        QWidget* target = child ? child : view;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(view, at));
    }

    RadioDocument* m_document;
    const RadioData* m_data;
    std::mt19937 m_random;
    CChnMsgFormView* m_channels;
    std::vector<CEditView*> m_views;
    std::vector<std::unique_ptr<CEditView>> m_owned;
    std::vector<int> m_keyWeights;
    std::discrete_distribution<int> m_keyPick;
    int m_current = 0;
    std::array<int, 4> m_eventsPerView{};

public:
    // Events each view received: channels, features, key, scan.
    QString EventsPerView() const
    {
        return QStringLiteral("%1/%2/%3/%4")
            .arg(m_eventsPerView[0])
            .arg(m_eventsPerView[1])
            .arg(m_eventsPerView[2])
            .arg(m_eventsPerView[3]);
    }
};

QtMessageHandler g_testHandler = nullptr;

bool BlocksDiffer(const RadioData& a, const RadioData& b, std::initializer_list<Block> blocks)
{
    for (Block block : blocks) {
        if (!(a.block(block) == b.block(block))) {
            return true;
        }
    }
    return false;
}

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT

public:
    TestMonkey(std::vector<std::uint32_t> seeds, int events)
        : m_seeds(std::move(seeds)), m_events(events)
    {
    }

private:
    std::vector<std::uint32_t> m_seeds;
    int m_events;

private slots:
    void initTestCase()
    {
        // The offscreen platform says for every popup and window that it cannot raise
        // or grab; thousands of those would bury what matters.
        g_testHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support"))) {
                    g_testHandler(type, context, message);
                }
            });
        QVERIFY2(m_events >= 3 * kCheckEvery, "too few events to check anything");
        for (std::uint32_t seed : m_seeds) {
            qInfo("monkey seed %u, %d events (RADIOPROG_MONKEY_SEED=%u repeats this run)", seed,
                  m_events, seed);
        }
    }

    void cleanupTestCase() { qInstallMessageHandler(g_testHandler); }

    void init() { SetNumericEntryLock(false); }

    // Two records as the program makes them, and one opened from a file of any bytes
    // (a data file is taken as it is): on that one the record's own bytes need not be
    // sane, only what the views show of them and how they keep the record.
    void hammer_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("bandLower");
        QTest::addColumn<int>("bandUpper");
        QTest::addColumn<bool>("anyBytes");
        QTest::addColumn<std::uint32_t>("seedOffset");
        QTest::addColumn<std::uint32_t>("seed");
        for (std::uint32_t seed : m_seeds) {
            const QByteArray s = QByteArray::number(seed);
            QTest::newRow(s + ": 16 channels, 136-174 MHz")
                << 1 << 136 << 174 << false << 0u << seed;
            QTest::newRow(s + ": 32 channels, 400-470 MHz")
                << 0 << 400 << 470 << false << 1u << seed;
            QTest::newRow(s + ": a file of any bytes") << 0 << 0 << 0 << true << 2u << seed;
        }
    }

    void hammer()
    {
        QFETCH(int, model);
        QFETCH(int, bandLower);
        QFETCH(int, bandUpper);
        QFETCH(bool, anyBytes);
        QFETCH(std::uint32_t, seedOffset);
        QFETCH(std::uint32_t, seed);
        seed += seedOffset;
        const int events = m_events / 3;

        BoxLog boxes;
        RadioDocument document;
        document.TakeOpened(
            anyBytes ? RecordOfAnyBytes(seed) : StartRecord(model, bandLower, bandUpper),
            QString());
        const RadioData& data = document.Record();
        const RadioData start = data;
        Monkey monkey(&document, seed);
        QVERIFY(monkey.Activate(0));

        QElapsedTimer clock;
        clock.start();
        for (int n = 1; n <= events; ++n) {
            monkey.Step();
            if (n % kCheckEvery != 0) {
                continue;
            }
            Violations found;
            if (n % kCollectEvery == 0) {
                monkey.CollectEdits();
                CheckMasks(data, found);
            }
            if (!anyBytes) {
                CheckChannels(data, found);
                CheckFeatureBytes(data, found);
            }
            CheckShownTexts(data, data.texts.Text(text::Off), found);
            monkey.CheckTableShowsRecord(found);
            if (!found.empty()) {
                QString report = QStringLiteral("seed %1, after event %2:").arg(seed).arg(n);
                for (const std::string& v : found) {
                    report += QStringLiteral("\n  ") + QString::fromStdString(v);
                }
                QFAIL(qPrintable(report));
            }
        }
        const qint64 ms = clock.elapsed();

        // A monkey whose events reach nothing would pass without testing anything.
        const bool channelsChanged =
            BlocksDiffer(start, data,
                         {Block::Channel0, Block::Channel1, Block::Channel2, Block::Channel3,
                          Block::Channel4, Block::Channel5, Block::Channel6, Block::Channel7});
        const bool featuresChanged =
            BlocksDiffer(start, data, {Block::B0120, Block::B0110, Block::B0160});
        int programmed = 0;
        for (int i = 0; i < data.ChannelCount(); ++i) {
            programmed += std::as_const(data).Channel(i).IsPresent() ? 1 : 0;
        }
        qInfo(
            "seed %u: %d events in %lld ms (channels/features/key/scan %s), %lld boxes, "
            "%d beeps, %d channels programmed, %d steps in the history",
            seed, events, static_cast<long long>(ms), qPrintable(monkey.EventsPerView()),
            static_cast<long long>(boxes.texts.size()), boxes.beeps, programmed,
            document.History()->count());
        QVERIFY2(channelsChanged,
                 qPrintable(QStringLiteral("seed %1: no channel changed").arg(seed)));
        QVERIFY2(featuresChanged,
                 qPrintable(QStringLiteral("seed %1: no feature changed").arg(seed)));
    }
};

// The seed and the number of events come from --seed and --events, else from the
// environment; the other arguments are Qt Test's.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    bool seedGiven = false;
    std::uint32_t seed = qEnvironmentVariable("RADIOPROG_MONKEY_SEED").toUInt(&seedGiven);
    bool eventsGiven = false;
    int events = qEnvironmentVariableIntValue("RADIOPROG_MONKEY_EVENTS", &eventsGiven);
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if ((arg == "--seed" || arg == "--events") && i + 1 < argc) {
            const QByteArray value = argv[++i];
            if (arg == "--seed") {
                seed = value.toUInt(&seedGiven);
            } else {
                events = value.toInt(&eventsGiven);
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    std::vector<std::uint32_t> seeds{seed};
    if (!seedGiven) {
        seeds.assign(std::begin(kKnownSeeds), std::end(kKnownSeeds));
        seeds.push_back(std::random_device{}() & 0x7FFFFFFF);
    }
    TestMonkey test(std::move(seeds), eventsGiven ? events : kDefaultEvents);
    return QTest::qExec(&test, int(rest.size()), rest.data());
}

#include "test_monkey.moc"
