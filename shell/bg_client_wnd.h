// The area behind the child windows, painted with the background picture stretched
// over the whole area.
#pragma once

#include <QMdiArea>
#include <QPixmap>
#include <functional>

#include "shell/background_picture.h"

namespace radio {

class CBgClientWnd : public QMdiArea {
    Q_OBJECT
public:
    CBgClientWnd(ProgramFileLocator locate, QWidget* parent = nullptr);

    // Which picture number to show (from the language and the model).
    void SetPictureNumberSource(std::function<int()> source);

    BackgroundPicture& Picture() { return m_picture; }
    // The picture as it is drawn now, stretched to the area; null when none.
    const QPixmap& Stretched() const { return m_stretched; }
    // Chooses the picture for the current number and stretches it to the area now
    // (what a paint does first).
    void PreparePicture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ReportUndecodable(const QString& path);

    BackgroundPicture m_picture;
    std::function<int()> m_numberSource;
    QPixmap m_stretched;
    const QImage* m_stretchedFrom = nullptr;
    qint64 m_stretchedKey = 0;
};

}  // namespace radio
