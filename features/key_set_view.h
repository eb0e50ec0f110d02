// CKeySetView: the function of the radio's programmable key (block 0x0110 byte 13),
// beside the key picture. A second key function (byte 10) sits in a hidden list so
// that it is loaded, brought into range and stored back unchanged by the user.
// Selections reach the record at StoreToRecord only; the form has no Close button.
#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "features/field_exchange.h"
#include "widgets/edit_view.h"

namespace Ui {
class KeySetForm;
}

namespace radio {

class CKeySetView : public CEditView {
    Q_OBJECT
public:
    explicit CKeySetView(RadioDocument* document, QWidget* parent = nullptr);
    ~CKeySetView() override;

    void LoadFromRecord() override;
    bool StoreToRecord() override;
    void RefreshTexts() override;
    QString ViewTitle() const override;

    // The picture file; by default "phone.JPG", looked up like the program's other
    // files. It is read and decoded once, when the view is first shown.
    void SetPictureFile(const QString& path) { m_pictureFile = path; }
    bool HasPicture() const;

    int KeyFunction() const { return m_keyFunction; }
    int SecondKeyFunction() const { return m_secondKeyFunction; }
    // The controls the printout lists, in the form's order (the hidden list is not
    // on screen, so not on paper either).
    QList<const QWidget*> SummaryControls() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyTexts();
    void LoadPicture();

    std::unique_ptr<Ui::KeySetForm> m_ui;
    FieldExchange m_exchange;
    int m_keyFunction = 0;
    int m_secondKeyFunction = 10;
    QString m_pictureFile;
    bool m_pictureTried = false;
};

}  // namespace radio
