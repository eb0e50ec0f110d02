#include "channels/bulk_set_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "data/channel_columns.h"
#include "channels/small_dialog.h"
#include "config/text_of.h"
#include "data/channel_codec.h"

namespace radio {

namespace {

// The lists in the order of the table's columns, each with the name of its field.
constexpr std::array<std::pair<int, int>, 6> kRows = {{
    {column::RxTone, text::FieldReceiveTone},
    {column::TxTone, text::FieldTransmitTone},
    {column::Wide, text::FieldBandwidth},
    {column::Power, text::FieldPower},
    {column::ScanAdd, text::FieldScanAdd},
    {column::BusyLock, text::FieldBusyLock},
}};

constexpr int kKeepIndex = 0;

// The field names are written to stand inside a sentence ("power set to Low"); as
// the label of a row they begin with a capital.
QString RowLabel(const QString& name)
{
    if (name.isEmpty()) {
        return name;
    }
    return name.front().toUpper() + name.mid(1);
}

std::optional<bool> OptionChoice(const QComboBox* list)
{
    if (list->currentIndex() <= kKeepIndex) {
        return std::nullopt;
    }
    return list->currentData().toBool();
}

}  // namespace

BulkSetDialog::BulkSetDialog(const RadioData& data, QWidget* parent)
    : QDialog(parent), m_offText(UiText(data, text::Off))
{
    setObjectName(QStringLiteral("bulkSetDialog"));
    setWindowTitle(PlainCaption(UiText(data, text::MenuBulkSet)));
    const QString keep = UiText(data, text::BulkKeep);

    // The tone list is large (1077 tones): both tone lists share one model.
    QStringList tones{keep};
    for (const std::string& tone : ToneList(m_offText.toStdString())) {
        tones.append(QString::fromStdString(tone));
    }
    auto* toneModel = new QStringListModel(tones, this);

    auto* form = new QFormLayout;
    for (std::size_t n = 0; n < kRows.size(); ++n) {
        const auto [column, name] = kRows[n];
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("bulkList%1").arg(column));
        if (IsToneColumn(column)) {
            list->setModel(toneModel);
            list->setMaxVisibleItems(16);
        } else {
            // The two states in the order the table's drop list offers them.
            const OptionField option = OptionFieldOf(column);
            list->addItem(keep);
            const std::pair<int, bool> one{option.textFor1, true};
            const std::pair<int, bool> zero{option.textFor0, false};
            for (const auto& [textNumber, value] :
                 option.zeroFirst ? std::array{zero, one} : std::array{one, zero}) {
                list->addItem(UiText(data, textNumber), value);
            }
        }
        list->setCurrentIndex(kKeepIndex);
        auto* label = new QLabel(RowLabel(UiText(data, name)), this);
        label->setBuddy(list);
        form->addRow(label, list);
        m_lists[n] = list;
    }

    QDialogButtonBox* buttons = OkCancelButtons(*this, data, &m_ok);
    m_ok->setEnabled(false);
    for (QComboBox* list : m_lists) {
        connect(list, &QComboBox::currentIndexChanged, this,
                [this] { m_ok->setEnabled(!Settings().IsEmpty()); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    OpenWideEnoughForTitle(*this);
    m_lists.front()->setFocus();
}

QComboBox* BulkSetDialog::List(int column) const
{
    for (std::size_t n = 0; n < kRows.size(); ++n) {
        if (kRows[n].first == column) {
            return m_lists[n];
        }
    }
    return nullptr;
}

BulkSettings BulkSetDialog::Settings() const
{
    const auto tone = [this](int column) -> std::optional<std::uint16_t> {
        const QComboBox* list = List(column);
        if (list->currentIndex() <= kKeepIndex) {
            return std::nullopt;
        }
        return ParseToneText(list->currentText().toStdString(), true, m_offText.toStdString());
    };
    BulkSettings settings;
    settings.rxTone = tone(column::RxTone);
    settings.txTone = tone(column::TxTone);
    settings.wide = OptionChoice(List(column::Wide));
    settings.highPower = OptionChoice(List(column::Power));
    settings.scanAdd = OptionChoice(List(column::ScanAdd));
    settings.busyLock = OptionChoice(List(column::BusyLock));
    return settings;
}

}  // namespace radio
