// The black frame of the key settings view with the key picture drawn into it,
// stretched to the frame's inside. The picture is decoded once, when it is set.
#pragma once

#include <QFrame>
#include <QImage>

namespace radio {

class PictureFrame : public QFrame {
    Q_OBJECT
public:
    explicit PictureFrame(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

}  // namespace radio
