// The three small dialogs of the channel table's row operations: what each gives back
// for what was chosen or typed, and that each is laid out for the keyboard in both
// languages.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "channel_test_support.h"
#include "channels/bulk_set_dialog.h"
#include "data/channel_columns.h"
#include "channels/fill_dialog.h"
#include "channels/find_dialog.h"
#include "config/language_file.h"
#include "config/program_files.h"
#include "config/text_of.h"

using namespace radio;
using Choices = QMap<int, QString>;  // table column -> entry to choose
Q_DECLARE_METATYPE(radio::BulkSettings)

namespace {

// The test's English texts, or the Chinese column of the language file.
RadioData DataIn(bool chinese)
{
    RadioData data;
    LanguageNames names;
    if (chinese) {
        LoadLanguageFile(FindProgramFile(QStringLiteral("lang.csv")), 0, data.texts, names);
    } else {
        test::SetTableTexts(data);
    }
    return data;
}

}  // namespace

class TestChannelDialogs : public QObject {
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<int>("caption");
        QTest::addColumn<bool>("chinese");
        for (const int caption : {text::MenuFillFrequencies, text::MenuFind, text::MenuBulkSet}) {
            QTest::addRow("%d en", caption) << caption << false;
            QTest::addRow("%d zh", caption) << caption << true;
        }
    }

    // The title is the menu's caption without access key and ellipsis; each field has its
    // label as buddy; Tab goes through the controls in the order they stand on the screen;
    // nothing is cut off; the buttons are OK and Cancel.
    void layout()
    {
        QFETCH(int, caption);
        QFETCH(bool, chinese);
        const RadioData data = DataIn(chinese);
        std::unique_ptr<QDialog> dialog;
        if (caption == text::MenuFillFrequencies) {
            dialog = std::make_unique<FillDialog>(data, 3, QStringLiteral("145.12500"), 0);
        } else if (caption == text::MenuFind) {
            dialog = std::make_unique<FindDialog>(data, QStringLiteral("88.5"));
        } else {
            dialog = std::make_unique<BulkSetDialog>(data);
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(!dialog->windowTitle().isEmpty());
        if (chinese) {  // the language file's text, not the built-in English one
            QVERIFY(UiText(data, caption) !=
                    QString::fromStdString(LanguageTable::Fallback(caption)));
        }
        QCOMPARE(dialog->windowTitle(), PlainCaption(UiText(data, caption)));

        const auto* form = dialog->findChild<QFormLayout*>();
        for (int row = 0; row < form->rowCount(); ++row) {
            auto* label =
                qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
            QVERIFY(label && !label->text().isEmpty());
            QCOMPARE(label->buddy(), form->itemAt(row, QFormLayout::FieldRole)->widget());
        }

        const auto at = [&](const QWidget* w) { return w->mapTo(dialog.get(), QPoint(0, 0)); };
        QList<QWidget*> chain;
        for (QWidget* w = dialog->nextInFocusChain(); w != dialog.get();
             w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
                chain.append(w);
            }
        }
        QList<QWidget*> onScreen = chain;
        std::stable_sort(onScreen.begin(), onScreen.end(), [&](QWidget* a, QWidget* b) {
            return std::pair(at(a).y(), at(a).x()) < std::pair(at(b).y(), at(b).x());
        });
        QCOMPARE(chain, onScreen);
        QCOMPARE(QApplication::focusWidget(), chain.front());

        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (w->isVisible() && !w->inherits("QDialogButtonBox")) {
                QVERIFY2(w->width() >= w->sizeHint().width(), w->metaObject()->className());
                QVERIFY(dialog->rect().contains(QRect(at(w), w->size())));
            }
        }
        const QList<QAbstractButton*> buttons = dialog->findChild<QDialogButtonBox*>()->buttons();
        QCOMPARE(buttons.size(), 2);
        for (const QAbstractButton* button : buttons) {
            QVERIFY(button->text() == UiText(data, text::Ok) ||
                    button->text() == UiText(data, text::Cancel));
        }
    }

    void fillStep_data()
    {
        QTest::addColumn<uint>("lastStep");
        QTest::addColumn<QString>("choose");  // empty: keep the preselection
        QTest::addColumn<QString>("shown");
        QTest::addColumn<uint>("step");
        QTest::newRow("first time") << 0u << ""
                                    << "12.5 kHz" << 1250u;
        QTest::newRow("last step kept") << 625u << ""
                                        << "6.25 kHz" << 625u;
        QTest::newRow("unknown last step") << 777u << ""
                                           << "12.5 kHz" << 1250u;
        QTest::newRow("5 kHz") << 1250u << "5 kHz"
                               << "5 kHz" << 500u;
        QTest::newRow("100 kHz") << 1250u << "100 kHz"
                                 << "100 kHz" << 10000u;
    }

    void fillStep()
    {
        QFETCH(uint, lastStep);
        QFETCH(QString, choose);
        QFETCH(QString, shown);
        QFETCH(uint, step);
        FillDialog dialog(DataIn(false), 17, QStringLiteral("435.12500"), lastStep);
        QCOMPARE(dialog.findChildren<QLabel*>().front()->text(),
                 QStringLiteral("From channel 17 (435.12500)"));
        QCOMPARE(dialog.StepList()->count(), 8);
        if (!choose.isEmpty()) {
            dialog.StepList()->setCurrentIndex(dialog.StepList()->findText(choose));
        }
        QCOMPARE(dialog.StepList()->currentText(), shown);
        QCOMPARE(uint(dialog.Step()), step);
    }

    void findText_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("typed");  // over the selection
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");  // by Return
        QTest::newRow("last again") << "435.125"
                                    << ""
                                    << "435.125" << true;
        QTest::newRow("typing replaces") << "88.5"
                                         << "DN023"
                                         << "DN023" << true;
        QTest::newRow("blanks trimmed") << ""
                                        << "  145.5 "
                                        << "145.5" << true;
        QTest::newRow("blanks only") << ""
                                     << "   "
                                     << "" << false;
    }

    void findText()
    {
        QFETCH(QString, last);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        FindDialog dialog(DataIn(false), last);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.TextEdit()->selectedText(), last);
        QTest::keyClicks(dialog.TextEdit(), typed);
        QCOMPARE(dialog.Text(), text);
        QCOMPARE(dialog.OkButton()->isEnabled(), accepted);
        QTest::keyClick(dialog.TextEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.isVisible(), !accepted);
    }

    void bulkSettings_data()
    {
        QTest::addColumn<Choices>("choices");
        QTest::addColumn<QString>("typedTone");  // typed into the receive tone list
        QTest::addColumn<BulkSettings>("settings");
        BulkSettings low, tones, options, typed;
        low.highPower = false;
        tones.rxTone = std::uint16_t(0x2813);
        tones.txTone = kToneOff;
        options.wide = false;
        options.highPower = options.scanAdd = options.busyLock = true;
        typed.rxTone = std::uint16_t(885);
        typed.scanAdd = false;
        QTest::newRow("nothing chosen") << Choices{} << "" << BulkSettings{};
        QTest::newRow("low power") << Choices{{column::Power, "Low"}} << "" << low;
        QTest::newRow("tones") << Choices{{column::RxTone, "DN023"}, {column::TxTone, "Off"}} << ""
                               << tones;
        QTest::newRow("options") << Choices{{column::Wide, "Narrow"},
                                            {column::Power, "High"},
                                            {column::ScanAdd, "On"},
                                            {column::BusyLock, "Locked"}}
                                 << "" << options;
        QTest::newRow("typed tone") << Choices{{column::ScanAdd, "Off"}} << "88.5" << typed;
        QTest::newRow("typed DCS") << Choices{{column::TxTone, "Off"}} << "dn023" << tones;
    }

    void bulkSettings()
    {
        QFETCH(Choices, choices);
        QFETCH(QString, typedTone);
        QFETCH(BulkSettings, settings);
        BulkSetDialog dialog(DataIn(false));
        // "(unchanged)" first, then the states as the table's drop lists order them.
        const QStringList lists[] = {{"Off", "67.0"}, {"Off", "67.0"}, {"Wide", "Narrow"},
                                     {"Low", "High"}, {"Off", "On"},   {"Unlocked", "Locked"}};
        for (int column = column::RxTone; column <= column::BusyLock; ++column) {
            const QComboBox* list = dialog.List(column);
            QCOMPARE(list->currentText(), QStringLiteral("(unchanged)"));
            QStringList states;
            for (int item : {1, 2}) {
                states << list->itemText(item);
            }
            QCOMPARE(states, lists[column - column::RxTone]);
        }
        for (auto it = choices.cbegin(); it != choices.cend(); ++it) {
            dialog.List(it.key())->setCurrentIndex(dialog.List(it.key())->findText(it.value()));
        }
        QTest::keyClicks(dialog.List(column::RxTone), typedTone);
        const BulkSettings got = dialog.Settings();
        QCOMPARE(got.rxTone, settings.rxTone);
        QCOMPARE(got.txTone, settings.txTone);
        QCOMPARE(got.wide, settings.wide);
        QCOMPARE(got.highPower, settings.highPower);
        QCOMPARE(got.scanAdd, settings.scanAdd);
        QCOMPARE(got.busyLock, settings.busyLock);
        QCOMPARE(dialog.OkButton()->isEnabled(), !settings.IsEmpty());
    }
};

QTEST_MAIN(TestChannelDialogs)
#include "test_channel_dialogs.moc"
