// What the desktop program's tests share: a working folder of their own with the
// program's files, answers for the message boxes, the modal dialogs and the file
// dialogs, and a started program.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "data/language_table.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/radio_prog_app.h"
#include "shell/view_factory.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"
#include "widgets/prompts.h"

namespace radio::test {

// The entries of a drop list, in order.
inline QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

// A test sets the record up directly, outside the history, as an opened file or a
// radio would have left it. The program itself changes it only through the
// document's operations; a change that changes nothing hands the test the record.
inline RadioData& SetUpRecord(CMainFrame* frame)
{
    RadioData* record = nullptr;
    frame->Document().Change([&record](RadioData& data) {
        record = &data;
        return QString();
    });
    return *record;
}

// A temporary folder that is the working directory while the object lives; the
// program's files are looked up in it alone. The program's backups, recovery copies
// and per-user choices go to folders inside it too ("backups", "recovery", "settings").
class WorkDir {
public:
    WorkDir()
        : m_previous(QDir::currentPath()),
          m_previousBackups(qgetenv("RADIOPROG_BACKUP_DIR")),
          m_previousRecovery(qgetenv("RADIOPROG_RECOVERY_DIR"))
    {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(Path(QStringLiteral("backups"))));
        qputenv("RADIOPROG_RECOVERY_DIR", QFile::encodeName(Path(QStringLiteral("recovery"))));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           Path(QStringLiteral("settings")));
        // Ctrl+W writes at once unless a test turns the write preview on. Written as a
        // file: a settings object written at every start made LeakSanitizer's exit
        // check crash in the sanitizer build when XDG_CONFIG_HOME did not exist.
        Write(QStringLiteral("settings/radioprog/radioprog.conf"),
              "[transfer]\nshowChangesBeforeWriting=false\n");
    }
    ~WorkDir()
    {
        QDir::setCurrent(m_previous);
        qputenv("RADIOPROG_BACKUP_DIR", m_previousBackups);
        qputenv("RADIOPROG_RECOVERY_DIR", m_previousRecovery);
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Write(const QString& name, const QByteArray& content) const
    {
        QDir().mkpath(QFileInfo(Path(name)).absolutePath());
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QByteArray Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Exists(const QString& name) const { return QFileInfo::exists(Path(name)); }
    void WritePicture(const QString& name, QColor colour) const
    {
        QImage image(32, 24, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(Path(name), "JPG"));
    }
    ProgramFileLocator Locator() const
    {
        const QString root = m_dir.path();
        return [root](const QString& name) { return QDir(root).filePath(name); };
    }

private:
    QString m_previous;
    QByteArray m_previousBackups;
    QByteArray m_previousRecovery;
    QTemporaryDir m_dir;
};

// Text #n of the test language file: "zh#n" in column 0 and "en#n" in column 1,
// with a few texts in the shapes the program must handle.
inline QString TestText(int column, int n)
{
    const QString prefix = column == 0 ? QStringLiteral("zh#") : QStringLiteral("en#");
    switch (n) {
    case text::MenuNew: return prefix + QStringLiteral("2(&N)");          // New, with an access key
    case text::MenuPrint: return prefix + QString(90, QLatin1Char('p'));  // Print: longer than 79
    case text::MenuReadFromRadio: return prefix + QStringLiteral("20(&R)\tCtrl+R");
    default: return prefix + QString::number(n);
    }
}

inline QByteArray TestLanguageFile(int texts = 187)
{
    QByteArray content = "中文,English\r\n";
    for (int n = 0; n < texts; ++n) {
        content += (TestText(0, n) + QLatin1Char(',') + TestText(1, n)).toUtf8() + "\r\n";
    }
    return content;
}

inline QByteArray CompleteSettings(int port, int language, int model)
{
    return QStringLiteral("Com=COM%1\r\nDefaultLanguage=%2\r\nMode=%3\r\n")
        .arg(port)
        .arg(language)
        .arg(model)
        .toLatin1();
}

class Boxes;
class Dialogs;
class FileChoices;

// The prompts the tests give the program (and the application object, for windows of
// their own): each question goes to the Boxes, Dialogs or FileChoices the test holds
// (the one made last). A box nobody holds gets its default button; a dialog or a file
// dialog nobody holds is cancelled.
class TestPrompts : public Prompts {
public:
    static TestPrompts& Instance()
    {
        static TestPrompts* prompts = [] {
            auto* made = new TestPrompts;
            AttachPrompts(QCoreApplication::instance(), made);
            return made;
        }();
        return *prompts;
    }

    QMessageBox::StandardButton Box(QWidget* parent, const BoxRequest& request) override;
    int Modal(QDialog& dialog) override;
    QString FileName(FileDialogKind kind, QWidget* parent, const QString& filter,
                     const QString& directory) override;
    void Beep() override { ++beeps; }

    Boxes* boxes = nullptr;
    Dialogs* dialogs = nullptr;
    FileChoices* files = nullptr;
    int beeps = 0;
};

// Puts `self` where the test prompts look while it lives, and the one before it back
// afterwards.
template <typename T>
class Answering {
protected:
    explicit Answering(T** slot, T* self) : m_slot(slot), m_previous(*slot) { *slot = self; }
    ~Answering() { *m_slot = m_previous; }
    Answering(const Answering&) = delete;
    Answering& operator=(const Answering&) = delete;

private:
    T** m_slot;
    T* m_previous;
};

inline QMessageBox::StandardButton DefaultAnswer(const BoxRequest& request)
{
    if (request.defaultButton != QMessageBox::NoButton) {
        return request.defaultButton;
    }
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1) {
        if (request.buttons & b) {
            return QMessageBox::StandardButton(b);
        }
    }
    return QMessageBox::Ok;
}

// Answers every message box: from a queue of answers when one is waiting, otherwise
// with the box's default button (or its first when it has none). Records each box.
class Boxes : Answering<Boxes> {
public:
    Boxes() : Answering(&TestPrompts::Instance().boxes, this) {}

    void Answer(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    // Runs for every box before it is answered (on the interface thread).
    void OnBox(std::function<void(const BoxRequest&)> react) { m_react = std::move(react); }
    const std::vector<BoxRequest>& Seen() const { return m_seen; }
    int Count() const { return int(m_seen.size()); }
    const BoxRequest& Last() const { return m_seen.back(); }
    void Clear() { m_seen.clear(); }

    QMessageBox::StandardButton Take(const BoxRequest& request)
    {
        m_seen.push_back(request);
        if (m_react) {
            m_react(request);
        }
        if (!m_answers.empty()) {
            const auto answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return DefaultAnswer(request);
    }

private:
    std::vector<BoxRequest> m_seen;
    std::deque<QMessageBox::StandardButton> m_answers;
    std::function<void(const BoxRequest&)> m_react;
};

// Answers the modal dialogs in turn; a dialog without a prepared answer is cancelled.
// The dialog's own accept() or reject() runs, as its buttons would run it.
class Dialogs : Answering<Dialogs> {
public:
    using Answer = std::function<int(QDialog&)>;
    Dialogs() : Answering(&TestPrompts::Instance().dialogs, this) {}

    void Then(Answer answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<QString>& Seen() const { return m_seen; }

    int Take(QDialog& dialog)
    {
        m_seen.push_back(dialog.objectName());
        if (m_answers.empty()) {
            return int(QDialog::Rejected);
        }
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer(dialog);
    }

private:
    std::vector<QString> m_seen;
    std::deque<Answer> m_answers;
};

// Answers the file dialogs with prepared paths (an empty one is Cancel).
class FileChoices : Answering<FileChoices> {
public:
    FileChoices() : Answering(&TestPrompts::Instance().files, this) {}

    void Then(const QString& path) { m_answers.push_back(path); }
    // Runs while the dialog is "open" (the user browsing elsewhere).
    void WhileOpen(std::function<void()> browse) { m_browse = std::move(browse); }
    const std::vector<FileDialogKind>& Kinds() const { return m_kinds; }
    QString Filter() const { return m_filter; }
    // The folder the last dialog was asked to open in (empty: the dialog's own choice).
    QString Directory() const { return m_directory; }

    QString Take(FileDialogKind kind, const QString& filter, const QString& directory)
    {
        m_kinds.push_back(kind);
        m_filter = filter;
        m_directory = directory;
        if (m_browse) {
            m_browse();
        }
        if (m_answers.empty()) {
            return QString();
        }
        QString path = m_answers.front();
        m_answers.pop_front();
        return path;
    }

private:
    std::deque<QString> m_answers;
    std::vector<FileDialogKind> m_kinds;
    QString m_filter;
    QString m_directory;
    std::function<void()> m_browse;
};

inline QMessageBox::StandardButton TestPrompts::Box(QWidget*, const BoxRequest& request)
{
    return boxes ? boxes->Take(request) : DefaultAnswer(request);
}

inline int TestPrompts::Modal(QDialog& dialog)
{
    if (dialogs && dialogs->Take(dialog) == QDialog::Accepted) {
        dialog.accept();
    } else {
        dialog.reject();
    }
    return dialog.result();
}

inline QString TestPrompts::FileName(FileDialogKind kind, QWidget*, const QString& filter,
                                     const QString& directory)
{
    return files ? files->Take(kind, filter, directory) : QString();
}

// Starts the program in the working folder. A long view timer keeps the channel view
// closed until a test opens it; 0 opens it at the next turn of the event loop.
inline std::unique_ptr<CRadioProgApp> StartProgram(const WorkDir& dir, int viewTimerMs = 60000,
                                                   QLocale locale = QLocale(QLocale::English,
                                                                            QLocale::UnitedStates))
{
    StartOptions options;
    options.locale = locale;
    options.locate = dir.Locator();
    options.viewTimerMs = viewTimerMs;
    options.prompts = &TestPrompts::Instance();
    auto app = std::make_unique<CRadioProgApp>(options);
    if (!app->InitInstance()) {
        return nullptr;
    }
    return app;
}

// The usual start: complete settings (COM1, English, 16 channels) and the test texts.
inline std::unique_ptr<CRadioProgApp> StartPrepared(const WorkDir& dir, int viewTimerMs = 60000)
{
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 1));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    return StartProgram(dir, viewTimerMs);
}

// The program as a person starts it: settings and texts in place, the window shown
// and active, the channel view opened by its start-up timer.
inline std::unique_ptr<CRadioProgApp> StartAsAPersonDoes(const WorkDir& dir)
{
    auto app = StartPrepared(dir, 0);
    if (!app) {
        return nullptr;
    }
    CMainFrame* frame = app->MainFrame();
    QSignalSpy opened(frame, &CMainFrame::startupViewOpened);
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame) || (opened.isEmpty() && !opened.wait(5000))) {
        return nullptr;
    }
    return app;
}

// Keys go where a person's keys go: to the widget that has the keyboard.
inline void TypeIntoFocus(const QString& text)
{
    for (const QChar c : text) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClick(focus, c.toLatin1());
    }
}

inline void PressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClick(focus, key, modifiers);
}

// A view that records what the main frame asks of it. Its "controls" hold one byte,
// which it stores into block 0x0120 byte 40 + its kind, and reloads from there.
class RecordingView : public CEditView {
public:
    RecordingView(ViewKind kind, RadioDocument* document, std::vector<QString>* log,
                  QWidget* parent)
        : CEditView(document, parent), m_kind(kind), m_log(log)
    {
    }
    void LoadFromRecord() override
    {
        Log(QStringLiteral("load"));
        m_control = m_data->block(Block::B0120).data[Byte()];
    }
    bool StoreToRecord() override
    {
        Log(QStringLiteral("store"));
        ChangeRecord([this](RadioData& data) {
            data.block(Block::B0120).data[Byte()] = m_control;
            return QStringLiteral("store %1").arg(int(m_kind));
        });
        return true;
    }
    void RefreshTexts() override
    {
        Log(QStringLiteral("texts"));
        emit titleChanged(ViewTitle());
        LoadFromRecord();
    }
    QString ViewTitle() const override
    {
        return QStringLiteral("view %1: ").arg(int(m_kind)) + Text(ViewNameText(m_kind));
    }

    std::uint8_t m_control = 0;

private:
    std::size_t Byte() const { return std::size_t(40 + int(m_kind)); }
    void Log(const QString& what)
    {
        static const char* const names[] = {"channels", "features", "keys", "scan"};
        m_log->push_back(what + QLatin1Char(':') + QLatin1String(names[int(m_kind)]));
    }
    ViewKind m_kind;
    std::vector<QString>* m_log;
};

// While it lives, the main frame gets RecordingViews; their calls land in Log().
class RecordingViews {
public:
    RecordingViews()
    {
        SetEditViewMaker([this](ViewKind kind, RadioDocument* document, QWidget* parent) {
            return new RecordingView(kind, document, &m_log, parent);
        });
    }
    ~RecordingViews() { SetEditViewMaker({}); }
    std::vector<QString>& Log() { return m_log; }
    QString Joined() const
    {
        QStringList all;
        for (const QString& entry : m_log) {
            all << entry;
        }
        return all.join(QLatin1Char(' '));
    }

private:
    std::vector<QString> m_log;
};

inline RecordingView* Recording(CMainFrame* frame, ViewKind kind)
{
    return static_cast<RecordingView*>(frame->View(kind));
}

// The main window's caption as it shows while the data is unchanged (without the
// place of the modified marker).
inline QString Caption(const QWidget* window)
{
    QString title = window->windowTitle();
    return title.remove(QStringLiteral("[*]"));
}

inline QString En(int n)
{
    return TestText(1, n);
}
inline QString Zh(int n)
{
    return TestText(0, n);
}
// The program's own English text, for the texts that lang.csv may lack.
inline QString Fallback(int n)
{
    return QString::fromStdString(LanguageTable::Fallback(n));
}

}  // namespace radio::test
