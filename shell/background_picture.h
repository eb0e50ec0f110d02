// The picture behind the child windows: "bg<number>.JPG", else "bg11.JPG", else
// "bg1.JPG". A picture is decoded once and kept until another number asks for
// another file. A file that is there but does not decode is reported once per run,
// however often the area is painted, and the next file in the order is tried.
#pragma once

#include <QImage>
#include <QSet>
#include <QString>
#include <functional>

#include "config/program_file_locator.h"

namespace radio {

class BackgroundPicture {
public:
    // `report` is told the path of each file that does not decode, once per file.
    BackgroundPicture(ProgramFileLocator locate, std::function<void(const QString&)> report);

    // The picture for `number`; a null image when no file gives one.
    const QImage& ImageFor(int number);
    // The file the current picture came from; empty when none.
    QString CurrentFile() const { return m_file; }
    // How many times a file was decoded (each file once per choice).
    int DecodeCount() const { return m_decodeCount; }

    static QString FileName(int number);

private:
    void Choose(int number);

    ProgramFileLocator m_locate;
    std::function<void(const QString&)> m_report;
    bool m_chosen = false;
    int m_number = 0;
    QImage m_image;
    QString m_file;
    QSet<QString> m_reported;
    int m_decodeCount = 0;
};

}  // namespace radio
