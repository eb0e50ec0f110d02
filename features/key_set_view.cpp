#include "features/key_set_view.h"

#include <array>

#include <QFile>
#include <QImage>
#include <QTimer>

#include "config/program_files.h"
#include "data/feature_bytes.h"
#include "ui_key_set_form.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

// The side key's functions in the order its lists offer them.
constexpr const auto& kKeyFunctionTexts = bytes::key::kFunctionTexts;
constexpr int kKeyFunctionCount = int(kKeyFunctionTexts.size());
constexpr int kKeyFunctionFallback = 0;
constexpr int kSecondKeyFunctionFallback = 10;

}  // namespace

CKeySetView::CKeySetView(RadioDocument* document, QWidget* parent)
    : CEditView(document, parent), m_ui(std::make_unique<Ui::KeySetForm>()), m_exchange(Data())
{
    m_ui->setupUi(this);
    m_ui->secondKeyList->hide();
    m_exchange.AddChoice(m_ui->keyList, &m_keyFunction);
    m_exchange.AddChoice(m_ui->secondKeyList, &m_secondKeyFunction);
    setWindowTitle(ViewTitle());
    ApplyTexts();
    LoadFromRecord();
}

CKeySetView::~CKeySetView() = default;

QString CKeySetView::ViewTitle() const
{
    return Text(text::KeysView);
}

void CKeySetView::ApplyTexts()
{
    QStringList functions;
    for (int n : kKeyFunctionTexts) {
        functions << Text(n);
    }
    m_ui->keyLabel->setText(Text(text::SideKey));
    m_ui->keyList->addItems(functions);
    m_ui->noteLabel->setText(Text(text::SideKeyNote));
    m_ui->secondKeyList->addItems(functions);
}

void CKeySetView::RefreshTexts()
{
    setWindowTitle(ViewTitle());
    emit titleChanged(ViewTitle());
    m_ui->keyList->clear();
    m_ui->secondKeyList->clear();
    ApplyTexts();
    LoadFromRecord();
}

void CKeySetView::LoadFromRecord()
{
    const auto& d = m_data->block(Block::B0110).data;
    const int key = d[bytes::key::kSideKey];
    const int second = d[bytes::key::kSecondKeyFunction];
    m_keyFunction = key < kKeyFunctionCount ? key : kKeyFunctionFallback;
    m_secondKeyFunction = second < kKeyFunctionCount ? second : kSecondKeyFunctionFallback;
    m_exchange.ShowAll();
}

bool CKeySetView::StoreToRecord()
{
    const bool taken = m_exchange.Take();
    ChangeRecord([this](RadioData& data) {
        auto& d = data.block(Block::B0110).data;
        if (m_keyFunction >= 0) {
            d[bytes::key::kSideKey] = std::uint8_t(m_keyFunction);
        }
        if (m_secondKeyFunction >= 0) {
            d[bytes::key::kSecondKeyFunction] = std::uint8_t(m_secondKeyFunction);
        }
        return StoreStepName();
    });
    return taken;
}

QList<const QWidget*> CKeySetView::SummaryControls() const
{
    return {m_ui->keyList};
}

bool CKeySetView::HasPicture() const
{
    return !m_ui->pictureFrame->Picture().isNull();
}

void CKeySetView::showEvent(QShowEvent* event)
{
    CEditView::showEvent(event);
    if (!m_pictureTried) {
        // Once per view: a missing or broken file is reported once, not at every
        // paint. The message waits until the view is on screen.
        m_pictureTried = true;
        QTimer::singleShot(0, this, &CKeySetView::LoadPicture);
    }
}

void CKeySetView::LoadPicture()
{
    const QString path =
        m_pictureFile.isEmpty() ? FindProgramFile(QStringLiteral("phone.JPG")) : m_pictureFile;
    BoxRequest box;
    box.caption = Text(text::WarningCaption);
    box.icon = QMessageBox::Warning;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        box.text = QStringLiteral("Can't   Open   Image   File!");
        ShowBox(this, box);
        return;
    }
    QImage picture;
    if (!picture.loadFromData(file.readAll())) {
        box.text = QStringLiteral("Error   Loading   Picture   From   Stream!");
        ShowBox(this, box);
        return;
    }
    m_ui->pictureFrame->SetPicture(picture);
}

}  // namespace radio
