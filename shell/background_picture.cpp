#include "shell/background_picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace radio {

BackgroundPicture::BackgroundPicture(ProgramFileLocator locate,
                                     std::function<void(const QString&)> report)
    : m_locate(std::move(locate)), m_report(std::move(report))
{
}

QString BackgroundPicture::FileName(int number)
{
    return QStringLiteral("bg%1.JPG").arg(number);
}

const QImage& BackgroundPicture::ImageFor(int number)
{
    if (!m_chosen || number != m_number) {
        Choose(number);
    }
    return m_image;
}

void BackgroundPicture::Choose(int number)
{
    m_chosen = true;
    m_number = number;
    m_image = QImage();
    m_file.clear();
    const QString names[] = {FileName(number), QStringLiteral("bg11.JPG"),
                             QStringLiteral("bg1.JPG")};
    for (const QString& name : names) {
        const QString path = m_locate(name);
        if (!QFileInfo(path).isFile()) {
            continue;  // missing: the next file, without a word
        }
        QImageReader reader(path);
        ++m_decodeCount;
        QImage image = reader.read();
        if (image.isNull()) {
            const QString key = QFileInfo(path).absoluteFilePath();
            if (!m_reported.contains(key)) {
                m_reported.insert(key);
                if (m_report) {
                    m_report(path);
                }
            }
            continue;
        }
        m_image = std::move(image);
        m_file = path;
        return;
    }
}

}  // namespace radio
