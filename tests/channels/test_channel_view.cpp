// The channel table as a user drives it: keys and mouse clicks on the real widgets.
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include <QStringListModel>
#include "channel_test_support.h"
#include "channels/channel_delegate.h"
#include "channels/channel_grid.h"
#include "channels/chn_msg_form_view.h"
#include "data/channel_codec.h"
#include "tests/features/view_document.h"
#include "tests/widgets/answering_prompts.h"
#include "widgets/message_box.h"
#include "widgets/num_edit.h"

using namespace radio;
using radio::test::ChannelValues;

class TestChannelView : public QObject {
    Q_OBJECT

private:
    test::ViewDocument m_doc;
    RadioData& m_data = m_doc.record;
    std::unique_ptr<CChnMsgFormView> m_view;
    test::AnsweringPrompts m_prompts;

    bool Open()
    {
        m_view = std::make_unique<CChnMsgFormView>(&m_doc.document);
        m_view->resize(720, 420);
        m_view->show();
        m_view->activateWindow();
        return QTest::qWaitForWindowActive(m_view.get());
    }

    QWidget* Focus() const { return QApplication::focusWidget(); }

    void Type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* target = Focus();
            QVERIFY(target != nullptr);
            QTest::keyClick(target, c.toLatin1());
        }
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = Focus();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    QPoint CellCentre(int row, int column) const
    {
        const QModelIndex index = m_view->Grid()->model()->index(row - 1, column - 1);
        m_view->Grid()->scrollTo(index);
        return m_view->Grid()->visualRect(index).center();
    }

    void Click(int row, int column)
    {
        QTest::mouseClick(m_view->Grid()->viewport(), Qt::LeftButton, {}, CellCentre(row, column));
    }

    QString Cell(int row, int column) const { return m_view->CellText(row, column); }
    ConstChannelRecord Channel(int index) const { return std::as_const(m_data).Channel(index); }
    QLineEdit* Edit() const { return qobject_cast<QLineEdit*>(m_view->ActiveEditor()); }
    bool EditOpen() const { return Edit() != nullptr; }
    bool ToneListOpen() const
    {
        const auto* list = qobject_cast<QComboBox*>(m_view->ActiveEditor());
        return list != nullptr && list->model() == m_view->Delegate()->Tones();
    }

private slots:
    void init()
    {
        m_doc.Reset();
        test::SetTableTexts(m_data);
        test::UseVhfBand(m_data);
        m_prompts.beeps = 0;
        m_prompts.boxes.clear();
        SetNumericEntryLock(false);
    }

    void cleanup() { m_view.reset(); }

    void opensReadyForTyping()
    {
        QVERIFY(Open());
        QCOMPARE(m_view->CurrentRow(), 1);
        QCOMPARE(m_view->CurrentColumn(), 1);
        QCOMPARE(Focus(), static_cast<QWidget*>(m_view->Grid()));
        QCOMPARE(m_view->ViewTitle(), QString("Channels- 1"));
        QVERIFY(m_view->ActiveEditor() == nullptr);
        QCOMPARE(m_view->RowCount(), 17);
        QCOMPARE(Cell(0, 1), QString("RX Freq"));
        QCOMPARE(m_view->Grid()->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("RX Freq"));
        QCOMPARE(m_view->Grid()->CornerText(), QString("CH"));
    }

    // A dealer types a whole channel without the mouse.
    void keyboardEntersChannel()
    {
        QVERIFY(Open());
        Type("145.125");
        QVERIFY(EditOpen());
        Press(Qt::Key_Tab);
        QCOMPARE(Cell(1, 1), QString("145.12500"));
        QCOMPARE(Cell(1, 2), QString("145.12500"));  // a new channel transmits where it receives
        QCOMPARE(m_view->CurrentColumn(), 2);
        Type("146");
        Press(Qt::Key_Return);
        // The Menu key and Shift+F10 open the table's menu at the current cell.
        QSignalSpy menus(m_view->Grid(), &QWidget::customContextMenuRequested);
        Press(Qt::Key_Menu);
        Press(Qt::Key_F10, Qt::ShiftModifier);
        Press(Qt::Key_F10);  // alone it is no menu key
        QCOMPARE(menus.count(), 2);
        const QRect current = m_view->Grid()->visualRect(m_view->Grid()->currentIndex());
        QCOMPARE(menus.at(1).at(0).toPoint(), current.center());
        // A screen reader hears the cell's channel, column and value, or that it is empty.
        const QString channel = QString::fromStdString(m_data.texts.Text(text::AccessibleChannel));
        const auto heard = [this](int row, int column) {
            return m_view->Grid()->model()->index(row - 1, column - 1).data(Qt::AccessibleTextRole);
        };
        QCOMPARE(heard(1, 2), channel.arg(1) + ", TX Freq, 146.00000");
        QCOMPARE(heard(2, 1), channel.arg(2) + ", RX Freq, " +
                                  QString::fromStdString(m_data.texts.Text(text::AccessibleEmpty)));
        Type("103");  // the receive tone: type-ahead in the tone list
        QCOMPARE(static_cast<QComboBox*>(m_view->ActiveEditor())->currentText(), QString("103.5"));
        Press(Qt::Key_Tab);
        QCOMPARE(Cell(1, 4), QString("103.5"));  // the transmit tone followed
        Press(Qt::Key_Return);                   // opens the tone list
        QVERIFY(m_view->Delegate()->IsList(m_view->ActiveEditor()));
        Press(Qt::Key_Down);
        Press(Qt::Key_Return);
        QCOMPARE(m_view->CurrentColumn(), 5);
        Type("n");  // Narrow
        Press(Qt::Key_Tab);
        Type("l");  // Low
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);  // scan add stays On
        Press(Qt::Key_Return);
        Press(Qt::Key_Down);  // Locked
        Press(Qt::Key_Return);
        QCOMPARE(m_view->CurrentRow(), 2);
        QCOMPARE(m_view->CurrentColumn(), 1);
        QCOMPARE(Focus(), static_cast<QWidget*>(m_view->Grid()));

        const QStringList row = {"145.12500", "146.00000", "103.5", "107.2",
                                 "Narrow",    "Low",       "On",    "Locked"};
        for (int c = 1; c <= 8; ++c) {
            QCOMPARE(Cell(1, c), row[c - 1]);
        }
        const ConstChannelRecord ch = Channel(0);
        const std::uint8_t* b = ch.Bytes();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(b), 8).toHex(),
                 QByteArray("0025511400006014"));
        QCOMPARE(ch.RxTone(), std::uint16_t(1035));
        QCOMPARE(ch.TxTone(), std::uint16_t(1072));
        QVERIFY(!ch.Option(ChannelOption::Wide));
        QVERIFY(!ch.Option(ChannelOption::HighPower));
        QVERIFY(ch.Option(ChannelOption::ScanAdd));
        QVERIFY(ch.Option(ChannelOption::BusyLock));
        QVERIFY(!ch.Option(ChannelOption::Option10));
        QVERIFY(!ch.Option(ChannelOption::Option11));
        QCOMPARE(ch.Level(), 0);
        QVERIFY(Channel(1).IsErased());
        QCOMPARE(m_prompts.beeps, 0);
        QVERIFY(m_prompts.boxes.isEmpty());
    }

    void typedCharacterStartsEdit_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("digit") << '4' << "4";
        QTest::newRow("point") << '.' << ".";
        QTest::newRow("letter") << 'a' << "  ";
        QTest::newRow("minus") << '-' << "  ";
    }
    void typedCharacterStartsEdit()
    {
        QFETCH(char, key);
        QFETCH(QString, text);
        test::SetChannel(m_data, 0, ChannelValues{});
        QVERIFY(Open());
        QTest::keyClick(m_view->Grid(), key);
        QVERIFY(EditOpen());
        QCOMPARE(Focus(), static_cast<QWidget*>(Edit()));
        QCOMPARE(Edit()->text(), text);
        QCOMPARE(Edit()->cursorPosition(), int(text.size()));
        QVERIFY(!Edit()->hasSelectedText());
        QCOMPARE(m_prompts.beeps, 0);
    }

    // While the lock holds, the typed character is not written into the editor.
    void lockKeepsEditorText()
    {
        test::SetChannel(m_data, 0, ChannelValues{});
        QVERIFY(Open());
        SetNumericEntryLock(true);
        QTest::keyClick(m_view->Grid(), '7');
        SetNumericEntryLock(false);
        QCOMPARE(Edit()->text(), QString("145.12500"));
    }

    // A letter or a space leaves blanks; in an empty row they make no channel and
    // are not refused.
    void blanksMakeNoChannel()
    {
        QVERIFY(Open());
        Type("x");
        Press(Qt::Key_Tab);
        QVERIFY(m_view->ActiveEditor() == nullptr);
        m_view->SetCurrentCell(1, 1);
        Type(" ");
        Press(Qt::Key_Return);
        QVERIFY(Channel(0).IsErased());
        QVERIFY(Cell(1, 1).isEmpty());
        QVERIFY(Cell(1, 3).isEmpty());
        QCOMPARE(m_prompts.beeps, 0);
    }

    void clearChannel()
    {
        test::SetChannel(m_data, 1, ChannelValues{0x14512500, 0x14600000, 885, 885});
        QVERIFY(Open());
        Click(2, 1);
        QVERIFY(EditOpen());
        QVERIFY(Edit()->hasSelectedText());
        Press(Qt::Key_Backspace);
        Press(Qt::Key_Tab);
        for (int c = 1; c <= 8; ++c) {
            QVERIFY2(Cell(2, c).isEmpty(), qPrintable(QString::number(c)));
        }
        QVERIFY(Channel(1).IsErased());
    }

    void clearTransmit()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 1000});
        QVERIFY(Open());
        Click(1, 2);
        Press(Qt::Key_Backspace);
        Press(Qt::Key_Return);
        QCOMPARE(Channel(0).TxFrequency(), kNoFrequency);
        QCOMPARE(Channel(0).TxTone(), kToneOff);
        QCOMPARE(Channel(0).RxFrequency(), 0x14512500u);
        QCOMPARE(Channel(0).RxTone(), std::uint16_t(885));
        QCOMPARE(Cell(1, 2), QString());
        QCOMPARE(Cell(1, 4), QString("Off"));
        QCOMPARE(m_view->CurrentColumn(), 3);
    }

    void receiveToneFollows_data()
    {
        QTest::addColumn<int>("txTone");
        QTest::addColumn<int>("wantTxTone");
        QTest::newRow("transmit tone off") << 0xFFFF << 0xA9EC;
        QTest::newRow("transmit tone set") << 1000 << 1000;
    }
    void receiveToneFollows()
    {
        QFETCH(int, txTone);
        QFETCH(int, wantTxTone);
        test::SetChannel(m_data, 0,
                         ChannelValues{0x14512500, 0x14512500, 0xFFFF, std::uint16_t(txTone)});
        QVERIFY(Open());
        Press(Qt::Key_Right);
        Press(Qt::Key_Right);
        QCOMPARE(m_view->CurrentColumn(), 3);
        Type("DI754");
        Press(Qt::Key_Return);
        QCOMPARE(Channel(0).RxTone(), std::uint16_t(0xA9EC));
        QCOMPARE(int(Channel(0).TxTone()), wantTxTone);
        QCOMPARE(Cell(1, 4), wantTxTone == 0xA9EC ? QString("DI754") : QString("100.0"));
    }

    // The tone list takes a tone as users write it, in either case, and waits for the
    // next key as long as a slow typist needs.
    void toneTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pauseMs");   // before the last key
        QTest::addColumn<QString>("tone");  // empty: refused
        QTest::newRow("CTCSS") << "88.5" << 0 << "88.5";
        QTest::newRow("CTCSS, slowly") << "103" << 500 << "103.5";
        QTest::newRow("DCS normal, letters around") << "D023N" << 0 << "DN023";
        QTest::newRow("DCS inverted, lower case") << "d023i" << 0 << "DI023";
        QTest::newRow("DCS, polarity after") << "023N" << 0 << "DN023";
        QTest::newRow("DCS, inverted after") << "754I" << 0 << "DI754";
        QTest::newRow("DCS, digits alone") << "023" << 0 << "DN023";
        QTest::newRow("list form") << "dn754" << 0 << "DN754";
        QTest::newRow("no such tone") << "885" << 0 << "";
        QTest::newRow("no such CTCSS") << "67.5" << 0 << "";
    }
    void toneTyping()
    {
        QFETCH(QString, typed);
        QFETCH(int, pauseMs);
        QFETCH(QString, tone);
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14512500, 1000, 1000});
        const auto before = m_data.ToImage();
        QVERIFY(Open());
        QSignalSpy status(m_view.get(), &CEditView::statusMessage);
        m_view->SetCurrentCell(1, 3);
        Type(typed.chopped(1));
        QTest::qWait(pauseMs);
        Type(typed.right(1));
        Press(Qt::Key_Return);
        if (tone.isEmpty()) {
            QVERIFY(ToneListOpen());
            QCOMPARE(status.last().first().toString(), "Not a tone of the list: " + typed);
            QVERIFY(m_data.ToImage() == before);
            QCOMPARE(m_prompts.beeps, 2);  // the key that found nothing, and the commit
            Press(Qt::Key_Backspace);      // mended: what is left names a tone
            Press(Qt::Key_Return);
            QVERIFY(m_view->ActiveEditor() == nullptr);
            return;
        }
        QVERIFY(m_view->ActiveEditor() == nullptr);
        QCOMPARE(Cell(1, 3), tone);
        QCOMPARE(QString::fromStdString(FormatTone(Channel(0).RxTone(), true, "Off")), tone);
        QCOMPARE(m_prompts.beeps, 0);
    }

    void clickRedirects_data()
    {
        QTest::addColumn<bool>("channel");
        QTest::addColumn<bool>("transmit");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("list");
        QTest::newRow("empty row, tone") << false << false << 3 << 1 << false;
        QTest::newRow("empty row, transmit") << false << false << 2 << 1 << false;
        QTest::newRow("empty row, busy lock") << false << false << 8 << 1 << false;
        QTest::newRow("no transmit, transmit tone") << true << false << 4 << 2 << false;
        QTest::newRow("no transmit, receive tone") << true << false << 3 << 3 << true;
        QTest::newRow("channel, transmit tone") << true << true << 4 << 4 << true;
        QTest::newRow("channel, transmit") << true << true << 2 << 2 << false;
    }
    void clickRedirects()
    {
        QFETCH(bool, channel);
        QFETCH(bool, transmit);
        QFETCH(int, clicked);
        QFETCH(int, column);
        QFETCH(bool, list);
        if (channel) {
            test::SetChannel(m_data, 3,
                             ChannelValues{0x14512500, transmit ? 0x14512500 : kNoFrequency});
        }
        QVERIFY(Open());
        Click(4, clicked);
        QCOMPARE(m_view->CurrentRow(), 4);
        QCOMPARE(m_view->CurrentColumn(), column);
        QVERIFY(m_view->ActiveEditor() != nullptr);
        QCOMPARE(m_view->Delegate()->IsList(m_view->ActiveEditor()), list);
        QCOMPARE(Focus(), m_view->ActiveEditor());
        const QRect cell =
            m_view->Grid()->visualRect(m_view->Grid()->model()->index(3, column - 1));
        QCOMPARE(m_view->ActiveEditor()->geometry().center(), cell.center());
        QVERIFY(!NumericEntryLocked());
    }

    // The left button held on the grid blocks typing into every number field.
    void mouseHoldsLock()
    {
        QVERIFY(Open());
        QWidget* viewport = m_view->Grid()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(2, 2));
        QVERIFY(NumericEntryLocked());
        QVERIFY(!NumericEditAccepts("5"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellCentre(2, 2));
        QVERIFY(!NumericEntryLocked());
        QVERIFY(NumericEditAccepts("5"));
    }

    void tabAdvances()
    {
        test::SetChannel(m_data, 15, ChannelValues{});
        QVERIFY(Open());
        m_view->SetCurrentCell(1, 8);
        Press(Qt::Key_Tab);
        QCOMPARE(m_view->CurrentRow(), 2);
        QCOMPARE(m_view->CurrentColumn(), 1);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_view->CurrentRow(), 1);
        QCOMPARE(m_view->CurrentColumn(), 8);
        // The last cell: Tab does not move; an open edit is committed in place.
        m_view->SetCurrentCell(16, 8);
        Press(Qt::Key_Tab);
        QCOMPARE(m_view->CurrentRow(), 16);
        QCOMPARE(m_view->CurrentColumn(), 8);
        Press(Qt::Key_Return);
        QVERIFY(m_view->ActiveEditor() != nullptr);
        Press(Qt::Key_Down);
        Press(Qt::Key_Tab);
        QCOMPARE(m_view->CurrentRow(), 16);
        QCOMPARE(m_view->CurrentColumn(), 8);
        QVERIFY(m_view->ActiveEditor() == nullptr);
        QCOMPARE(Cell(16, 8), QString("Locked"));
        QVERIFY(Channel(15).Option(ChannelOption::BusyLock));
    }

    void upDownOverEmptyRows()
    {
        test::SetChannel(m_data, 0, ChannelValues{});
        test::SetChannel(m_data, 2, ChannelValues{});
        test::SetChannel(m_data, 3, ChannelValues{});
        QVERIFY(Open());
        m_view->SetCurrentCell(1, 5);
        Press(Qt::Key_Down);  // row 2 is empty
        QCOMPARE(m_view->CurrentRow(), 2);
        QCOMPARE(m_view->CurrentColumn(), 1);
        m_view->SetCurrentCell(3, 6);
        Press(Qt::Key_Down);  // row 4 is a channel: the column stays
        QCOMPARE(m_view->CurrentRow(), 4);
        QCOMPARE(m_view->CurrentColumn(), 6);
        Press(Qt::Key_Up);
        Press(Qt::Key_Up);
        QCOMPARE(m_view->CurrentRow(), 2);
        QCOMPARE(m_view->CurrentColumn(), 1);
        m_view->SetCurrentCell(1, 3);
        Press(Qt::Key_Up);  // nothing above row 1
        QCOMPARE(m_view->CurrentRow(), 1);
        QCOMPARE(m_view->CurrentColumn(), 3);
        // From an open frequency edit the arrow commits and moves.
        m_view->SetCurrentCell(3, 2);
        Type("150");
        Press(Qt::Key_Up);
        QCOMPARE(Channel(2).TxFrequency(), 0x15000000u);
        QCOMPARE(m_view->CurrentRow(), 2);
        QCOMPARE(m_view->CurrentColumn(), 1);
    }

    void outOfBandWarns()
    {
        m_data.bandLower = 400;
        m_data.bandUpper = 470;
        QVERIFY(Open());
        Type("480.5");
        Press(Qt::Key_Tab);
        QCOMPARE(m_prompts.boxes.size(), 1);
        QCOMPARE(m_prompts.boxes[0].text, QString("The frequency is outside the band."));
        QCOMPARE(m_prompts.boxes[0].caption, QString("Out of band"));
        QCOMPARE(m_prompts.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(Cell(1, 1), QString("480.50000"));
        QCOMPARE(Channel(0).RxFrequency(), 0x48050000u);
        QCOMPARE(Channel(0).TxFrequency(), 0x48050000u);
    }

    // A frequency that could only be taken as another one is refused as typed: the
    // editor keeps the text, the status bar says why, nothing changes.
    void frequencyNotAsTypedRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("why");
        QTest::newRow("point forgotten") << "4351250"
                                         << "Not a frequency of the band 400-470 MHz: 4351250";
        QTest::newRow("below 100 MHz") << "50"
                                       << "Not a frequency of the band 400-470 MHz: 50";
        QTest::newRow("off raster")
            << "435.123"
            << "Not on the channel raster of 5 kHz and 6.25 kHz: 435.123; the nearest are "
               "435.12000 and 435.12500";
        QTest::newRow("below 10 Hz") << "435.125001"
                                     << "More digits than the radio keeps (10 Hz): 435.125001";
        QTest::newRow("pasted with a letter") << "435.1234x"
                                              << "Not a frequency: 435.1234x";
    }
    void frequencyNotAsTypedRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, why);
        m_data.bandLower = 400;
        m_data.bandUpper = 470;
        test::SetChannel(m_data, 1, ChannelValues{0x43512500, 0x43512500, 885, 885});
        const auto before = m_data.ToImage();
        QVERIFY(Open());
        QSignalSpy status(m_view.get(), &CEditView::statusMessage);
        for (int row : {1, 2}) {  // a new channel, and a programmed one's transmit frequency
            m_view->SetCurrentCell(row, row);
            Press(Qt::Key_F2);
            Edit()->insert(typed);  // what typing or a paste into the box leaves
            Press(Qt::Key_Return);
            QVERIFY(EditOpen());
            QCOMPARE(Edit()->text(), typed);
            QCOMPARE(status.last().first().toString(), why);
            QVERIFY(m_data.ToImage() == before);
            Press(Qt::Key_Escape);
        }
        QCOMPARE(Cell(1, 1), QString());
        QCOMPARE(Cell(2, 2), QString("435.12500"));
        QVERIFY(m_prompts.boxes.isEmpty());
    }

    // A text that is not a frequency is never lost and never clears: the editor stays
    // open over its cell with the text as typed, the status bar says why, a beep;
    // Escape gives the cell back.
    void invalidTextRefused()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 885});
        QVERIFY(Open());
        QSignalSpy status(m_view.get(), &CEditView::statusMessage);
        Press(Qt::Key_Return);  // open the receive cell with its text, caret at the end
        QCOMPARE(Edit()->text(), QString("145.12500"));
        Type(".");
        Press(Qt::Key_Tab);
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(status.size(), 1);
        QCOMPARE(status.last().first().toString(), QString("Not a frequency: 145.12500."));
        QVERIFY(EditOpen());
        QCOMPARE(Focus(), static_cast<QWidget*>(Edit()));
        QCOMPARE(Edit()->text(), QString("145.12500."));
        QCOMPARE(m_view->CurrentColumn(), 1);
        QCOMPARE(Cell(1, 1), QString("145.12500"));
        QCOMPARE(Channel(0).RxFrequency(), 0x14512500u);
        // Enter, a click on another cell and a commit before a command refuse it too.
        Press(Qt::Key_Return);
        Click(3, 2);
        QCOMPARE(m_view->CurrentRow(), 1);
        QCOMPARE(m_view->CurrentColumn(), 1);
        QCOMPARE(Edit()->text(), QString("145.12500."));
        QVERIFY(!m_view->StoreToRecord());
        QCOMPARE(m_prompts.beeps, 4);
        Press(Qt::Key_Escape);
        QVERIFY(m_view->ActiveEditor() == nullptr);
        QCOMPARE(Focus(), static_cast<QWidget*>(m_view->Grid()));
        QCOMPARE(Cell(1, 1), QString("145.12500"));
        QVERIFY(m_view->StoreToRecord());

        // Into an empty row: no channel, and the text stays to be mended.
        m_view->SetCurrentCell(2, 1);
        Type("4..5");
        Press(Qt::Key_Tab);
        QCOMPARE(m_prompts.beeps, 5);
        QCOMPARE(Edit()->text(), QString("4..5"));
        QVERIFY(Channel(1).IsErased());
        for (int i = 0; i < 4; ++i) {
            Press(Qt::Key_Backspace);
        }
        Type("145");
        Press(Qt::Key_Tab);
        QCOMPARE(Cell(2, 1), QString("145.00000"));
        QVERIFY(m_prompts.boxes.isEmpty());
    }

    // The stray key: Escape, a letter or a space, then Tab or Enter on a programmed
    // channel. The letter leaves blanks in the box; they are refused, never taken
    // for an emptied cell.
    void strayKeyNeverErases_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<char>("key");
        QTest::addColumn<int>("leave");
        QTest::newRow("receive, letter, Tab") << 1 << 'x' << int(Qt::Key_Tab);
        QTest::newRow("receive, space, Enter") << 1 << ' ' << int(Qt::Key_Return);
        QTest::newRow("transmit, letter, Enter") << 2 << 'q' << int(Qt::Key_Return);
        QTest::newRow("transmit, space, Tab") << 2 << ' ' << int(Qt::Key_Tab);
    }
    void strayKeyNeverErases()
    {
        QFETCH(int, column);
        QFETCH(char, key);
        QFETCH(int, leave);
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 885});
        const auto before = m_data.ToImage();
        QVERIFY(Open());
        m_view->SetCurrentCell(1, column);
        Press(Qt::Key_Escape);
        QTest::keyClick(Focus(), key);
        Press(Qt::Key(leave));
        QVERIFY(m_data.ToImage() == before);
        QCOMPARE(Cell(1, column), column == 1 ? QString("145.12500") : QString("146.00000"));
        QVERIFY(EditOpen());
        QCOMPARE(m_prompts.beeps, 1);
        Press(Qt::Key_Escape);
        QVERIFY(m_data.ToImage() == before);
        QVERIFY(m_view->ActiveEditor() == nullptr);
    }

    // A clipboard of line ends alone pastes nothing, and refuses nothing.
    void pasteOfEmptyLinesDoesNothing()
    {
        QVERIFY(Open());
        const auto before = m_data.ToImage();
        QGuiApplication::clipboard()->setText(QStringLiteral("\n\r\n"));
        m_view->PasteClipboard();
        QVERIFY(m_data.ToImage() == before);
        QVERIFY(m_prompts.boxes.isEmpty());
    }

    // A paste fills cells from the current one rightwards and downwards; every other
    // cell keeps its value, and the table shows what the record then holds.
    void pasteFillsCellsOnly_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("changed");  // "row,column,text"
        QTest::newRow("one value into a transmit cell")
            << "463.0000" << 11 << 2 << QStringList{"11,2,463.00000"};
        QTest::newRow("a block of tones")
            << "88.5\tDN023\r\n67.0\tOff\r\n"
            << 11 << 3 << QStringList{"11,3,88.5", "11,4,DN023", "12,3,67.0", "12,4,Off"};
        QTest::newRow("a receive frequency keeps the rest")
            << "440.5" << 12 << 1 << QStringList{"12,1,440.50000"};
        QTest::newRow("a whole row copied")
            << "11\t462.12500\t462.55000\t100.0\tDI754\tNarrow\tLow\tOff\tLocked\n"
            << 1 << 1 << QStringList{"1,1,462.12500", "1,2,462.55000", "1,3,100.0", "1,4,DI754",
                                     "1,5,Narrow",    "1,6,Low",       "1,7,Off",   "1,8,Locked"};
    }
    void pasteFillsCellsOnly()
    {
        QFETCH(QString, clipboard);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, changed);
        m_data.bandLower = 400;
        m_data.bandUpper = 470;
        for (int i : {0, 10, 11}) {
            test::SetChannel(m_data, i, ChannelValues{0x46212500, 0x46212500, 0xFFFF, 885});
            ChannelRecord ch = m_data.Channel(i);
            ch.SetOption(ChannelOption::Wide, false);
            ch.SetOption(ChannelOption::BusyLock, true);
        }
        QVERIFY(Open());
        QMap<QPair<int, int>, QString> want;
        for (int r = 1; r <= 16; ++r) {
            for (int c = 1; c <= 8; ++c) {
                want[{r, c}] = Cell(r, c);
            }
        }
        for (const QString& cell : changed) {
            const QStringList parts = cell.split(',');
            want[{parts[0].toInt(), parts[1].toInt()}] = parts[2];
        }
        QGuiApplication::clipboard()->setText(clipboard);
        m_view->SetCurrentCell(row, column);
        m_view->PasteClipboard();
        QVERIFY(m_prompts.boxes.isEmpty());
        for (auto it = want.cbegin(); it != want.cend(); ++it) {
            const auto [r, c] = it.key();
            QCOMPARE(Cell(r, c), it.value());
        }
    }

    // Delete on a frequency cell does what an emptied cell does; elsewhere nothing.
    void deleteEmptiesAFrequencyCell()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14600000, 885, 885});
        test::SetChannel(m_data, 1, ChannelValues{0x14512500, 0x14600000, 885, 885});
        const auto before = m_data.ToImage();
        QVERIFY(Open());
        m_view->SetCurrentCell(1, 3);
        Press(Qt::Key_Delete);
        QVERIFY(m_data.ToImage() == before);
        m_view->SetCurrentCell(1, 2);
        Press(Qt::Key_Delete);
        QCOMPARE(Channel(0).TxFrequency(), kNoFrequency);
        QCOMPARE(Channel(0).TxTone(), kToneOff);
        QCOMPARE(Cell(1, 4), QString("Off"));
        m_view->SetCurrentCell(2, 1);
        Press(Qt::Key_Delete);
        QVERIFY(Channel(1).IsErased());
        QVERIFY(Cell(2, 5).isEmpty());
        QCOMPARE(Focus(), static_cast<QWidget*>(m_view->Grid()));
    }

    void thirtyTwoChannels()
    {
        m_data.model = 0;
        QVERIFY(Open());
        QCOMPARE(m_view->RowCount(), 33);
        QAbstractItemModel* model = m_view->Grid()->model();
        QCOMPARE(model->rowCount(), 32);
        for (int r = 1; r <= 32; ++r) {
            const QString label = QString::number(r > 16 ? r - 16 : r);
            QCOMPARE(Cell(r, 0), label);
            QCOMPARE(model->headerData(r - 1, Qt::Vertical).toString(), label);
        }
        QSignalSpy titles(m_view.get(), &CEditView::titleChanged);
        m_view->SetCurrentCell(16, 1);
        Press(Qt::Key_Down);
        QCOMPARE(m_view->CurrentRow(), 17);
        QCOMPARE(m_view->ViewTitle(), QString("Channels- 17"));
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles.last().at(0).toString(), QString("Channels- 17"));
        // A channel on the second bank goes into its own record.
        Type("150");
        Press(Qt::Key_Tab);
        QCOMPARE(Channel(16).RxFrequency(), 0x15000000u);
        const auto& block = m_data.block(ChannelBlock(4)).data;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data()), 4).toHex(),
                 QByteArray("00000015"));
    }

    void invalidReceiveRow()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x1234ABCD, 0x14512500, 0xFFFF, 0x2813});
        QVERIFY(Open());
        QCOMPARE(Cell(1, 1), QString());
        QCOMPARE(Cell(1, 2), QString("145.12500"));
        QCOMPARE(Cell(1, 3), QString());
        QCOMPARE(Cell(1, 4), QString("DN023"));
        for (int c = 5; c <= 8; ++c) {
            QVERIFY(Cell(1, c).isEmpty());
        }
        // Emptying its transmit frequency turns the transmit tone off; the row, still
        // no channel, shows that as a load would: no text.
        m_view->SetCurrentCell(1, 2);
        Press(Qt::Key_Delete);
        QCOMPARE(Channel(0).TxFrequency(), kNoFrequency);
        QCOMPARE(Channel(0).TxTone(), kToneOff);
        QCOMPARE(Cell(1, 2), QString());
        QCOMPARE(Cell(1, 4), QString());
    }

    void clearAllChannels()
    {
        for (int i = 0; i < 16; ++i) {
            test::SetChannel(m_data, i, ChannelValues{});
        }
        QVERIFY(Open());
        m_view->SetCurrentCell(9, 4);
        QVERIFY(m_doc.document.ApplyBandAndModel(1, m_data.model));
        m_view->LoadFromRecord();
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(Channel(i).RxFrequency(), kNoFrequency);
            QCOMPARE(Cell(i + 1, 1), QString());
            QCOMPARE(Cell(i + 1, 7), QString());
        }
        QCOMPARE(m_view->ViewTitle(), QString("Channels- 9"));
    }

    // The main frame collects edits before a transfer or a save.
    // The row commands through the real view: each is one step, acts on the rows
    // chosen by keyboard, and undoing it gives the bytes back.
    void rowCommands()
    {
        const std::uint32_t rx[] = {0x14600000, 0x14512500, 0x14700000, 0x14400000};
        for (int i = 0; i < 4; ++i) {
            test::SetChannel(m_data, i, ChannelValues{rx[i], rx[i]});
        }
        QVERIFY(Open());
        const auto start = m_data.ToImage();
        const auto rxOf = [this](int i) { return Channel(i).RxFrequency(); };
        // Channels 2-4 chosen with Shift+Down, then sorted among themselves.
        m_view->SetCurrentCell(2, 1);
        QTest::keyClick(m_view->Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(m_view->Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_view->SelectedRows(), (std::vector<int>{2, 3, 4}));
        QVERIFY(m_view->SortChannels());
        QCOMPARE(rxOf(0), 0x14600000u);
        QCOMPARE(rxOf(1), 0x14400000u);
        QCOMPARE(rxOf(2), 0x14512500u);
        QCOMPARE(rxOf(3), 0x14700000u);
        QCOMPARE(Cell(2, 1), QString("144.00000"));
        // One channel up: the selection follows it.
        m_view->SetCurrentCell(3, 1);
        QVERIFY(m_view->MoveChannels(-1));
        QCOMPARE(rxOf(1), 0x14512500u);
        QCOMPARE(m_view->CurrentRow(), 2);
        m_view->SetCurrentCell(1, 1);
        QVERIFY(!m_view->MoveChannels(-1));  // the first cannot move up
        // An empty channel at 3; the others move down.
        m_view->SetCurrentCell(3, 1);
        QVERIFY(m_view->InsertChannels());
        QCOMPARE(rxOf(2), kNoFrequency);
        QCOMPARE(rxOf(3), 0x14400000u);
        QCOMPARE(rxOf(4), 0x14700000u);
        // Low power on 1-5: the empty channel stays empty.
        m_view->Grid()->selectionModel()->select(
            QItemSelection(m_view->Grid()->model()->index(0, 0),
                           m_view->Grid()->model()->index(4, 7)),
            QItemSelectionModel::ClearAndSelect);
        BulkSettings low;
        low.highPower = false;
        QVERIFY(m_view->SetForSelected(low));
        for (int i : {0, 1, 3, 4}) {
            QVERIFY(!Channel(i).Option(ChannelOption::HighPower));
        }
        QVERIFY(Channel(2).IsErased());
        QCOMPARE(Cell(1, 6), QString("Low"));
        QCOMPARE(m_doc.Steps(), 4);
        for (int i = 0; i < 4; ++i) {
            m_doc.document.History()->undo();
        }
        QVERIFY(m_data.ToImage() == start);
    }

    // Channels 2-4 chosen with Shift+Down from channel 2: the fill counts from 2, the
    // top of the selection, though the current cell is now on 4.
    void fillCountsFromTheTopOfTheSelection()
    {
        test::SetChannel(m_data, 1, ChannelValues{0x14500000, 0x14500000});
        QVERIFY(Open());
        m_view->SetCurrentCell(2, 1);
        QTest::keyClick(m_view->Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(m_view->Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_view->CurrentRow(), 4);
        QVERIFY(m_view->FillFrequencies(1250));
        QCOMPARE(Cell(3, 1), QString("145.01250"));
        QCOMPARE(Cell(4, 1), QString("145.02500"));
        QVERIFY(m_prompts.boxes.isEmpty());
        QCOMPARE(m_doc.Steps(), 1);
    }

    void insertRefusedWhenTheLastIsProgrammed()
    {
        test::SetChannel(m_data, 15, ChannelValues{});
        QVERIFY(Open());
        const auto before = m_data.ToImage();
        m_view->SetCurrentCell(2, 1);
        QVERIFY(!m_view->InsertChannels());
        QCOMPARE(m_prompts.boxes.size(), 1);
        QVERIFY(m_prompts.boxes.front().text.contains("16"));
        QVERIFY(m_data.ToImage() == before);
        QCOMPARE(m_doc.Steps(), 0);
    }

    // One value pasted over several selected cells goes into each programmed one.
    void pasteFillsTheSelectedCells()
    {
        for (int i = 0; i < 3; ++i) {
            test::SetChannel(m_data, i, ChannelValues{});
        }
        QVERIFY(Open());
        m_view->Grid()->selectionModel()->select(
            QItemSelection(m_view->Grid()->model()->index(0, 5),
                           m_view->Grid()->model()->index(3, 5)),
            QItemSelectionModel::ClearAndSelect);
        QGuiApplication::clipboard()->setText(QStringLiteral("Low"));
        m_view->PasteClipboard();
        QVERIFY(m_prompts.boxes.isEmpty());
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!Channel(i).Option(ChannelOption::HighPower));
        }
        QVERIFY(Channel(3).IsErased());
        QCOMPARE(m_doc.Steps(), 1);
    }

    void storeToRecordCommits()
    {
        QVERIFY(Open());
        Type("145.125");
        QVERIFY(Channel(0).IsErased());
        m_view->StoreToRecord();
        QCOMPARE(Channel(0).RxFrequency(), 0x14512500u);
        QVERIFY(m_view->ActiveEditor() == nullptr);
    }

    // Clicking another cell commits the open edit first.
    void clickElsewhereCommits()
    {
        test::SetChannel(m_data, 2, ChannelValues{});
        QVERIFY(Open());
        Type("146");
        Click(3, 6);
        QCOMPARE(Channel(0).RxFrequency(), 0x14600000u);
        QCOMPARE(Cell(1, 1), QString("146.00000"));
        QCOMPARE(m_view->CurrentRow(), 3);
        QCOMPARE(m_view->CurrentColumn(), 6);
        QVERIFY(m_view->Delegate()->IsList(m_view->ActiveEditor()));
    }

    void firstShowGivesTitle()
    {
        m_view = std::make_unique<CChnMsgFormView>(&m_doc.document);
        QCOMPARE(m_view->ViewTitle(), QString("Channels- 1"));
        QSignalSpy titles(m_view.get(), &CEditView::titleChanged);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.at(0).at(0).toString(), QString("Channels- 1"));
    }

    void focusLeavingCommits()
    {
        QVERIFY(Open());
        Type("146");
        QLineEdit elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        elsewhere.setFocus();
        QTRY_COMPARE(Channel(0).RxFrequency(), 0x14600000u);
        QCOMPARE(Cell(1, 1), QString("146.00000"));
    }

    void escapeAbandons()
    {
        test::SetChannel(m_data, 0, ChannelValues{});
        QVERIFY(Open());
        Type("146");
        Press(Qt::Key_Escape);
        QVERIFY(m_view->ActiveEditor() == nullptr);
        QCOMPARE(Focus(), static_cast<QWidget*>(m_view->Grid()));
        QCOMPARE(Channel(0).RxFrequency(), 0x14512500u);
        m_view->StoreToRecord();
        QCOMPARE(Channel(0).RxFrequency(), 0x14512500u);
    }

    // After File Open, New or a read the table shows the record again.
    void reloadShowsRecord()
    {
        QVERIFY(Open());
        m_view->SetCurrentCell(5, 3);
        test::SetChannel(m_data, 4, ChannelValues{0x14700000, 0x14700000, 670, 670});
        m_view->LoadFromRecord();
        QCOMPARE(Cell(5, 1), QString("147.00000"));
        QCOMPARE(Cell(5, 3), QString("67.0"));
        QCOMPARE(m_view->CurrentRow(), 5);
        QCOMPARE(m_view->CurrentColumn(), 3);
        // The model changed to 32 channels.
        m_data.model = 0;
        m_view->LoadFromRecord();
        QCOMPARE(m_view->RowCount(), 33);
        QCOMPARE(m_view->Grid()->model()->rowCount(), 32);
        QCOMPARE(m_view->CurrentRow(), 5);
    }

    void refreshTextsTakesNewTexts()
    {
        test::SetChannel(m_data, 0, ChannelValues{});
        QVERIFY(Open());
        m_data.texts.SetText(text::Off, "Aus");
        m_data.texts.SetText(text::ChannelsView, "Kanäle");
        m_view->RefreshTexts();
        QCOMPARE(Cell(1, 3), QString("Aus"));
        QCOMPARE(m_view->Delegate()->Tones()->index(0).data().toString(), QString("Aus"));
        QCOMPARE(m_view->Delegate()->Tones()->rowCount(), 1077);
        QCOMPARE(m_view->ViewTitle(), QString("Kanäle- 1"));
    }
};

QTEST_MAIN(TestChannelView)
#include "test_channel_view.moc"
