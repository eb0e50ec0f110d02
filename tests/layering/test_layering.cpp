// The folders are layers, lowest first: data, config, link, widgets, then channels and
// features side by side, print, shell. A folder includes only from lower layers and
// from itself; cli and sim, the programs beside the desktop program, use data, config
// and link only. Tests and benchmarks may include anything.
#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QHash<QString, int>& LayerRanks()
{
    static const QHash<QString, int> ranks = {
        {"data", 0},     {"config", 1},   {"link", 2},  {"widgets", 3},
        {"channels", 4}, {"features", 4}, {"print", 5}, {"shell", 6},
    };
    return ranks;
}

// Folders whose includes are checked, with what each may include besides itself.
bool MayInclude(const QString& from, const QString& to)
{
    if (from == to) {
        return true;
    }
    const auto& ranks = LayerRanks();
    if (from == "cli" || from == "sim") {
        return to == "data" || to == "config" || to == "link";
    }
    if (!ranks.contains(to)) {
        return false;  // the programs' folders (cli, sim) and anything unknown
    }
    return ranks.value(to) < ranks.value(from);
}

bool IsChecked(const QString& folder)
{
    return LayerRanks().contains(folder) || folder == "cli" || folder == "sim";
}

// Every include of a checked folder that goes up or sideways, as "file:line: text".
QStringList LayeringViolations(const QString& root)
{
    static const QRegularExpression include(R"re(^\s*#\s*include\s*"([^"/]+)/[^"]*")re");
    QStringList found;
    QDirIterator it(root, {"*.h", "*.cpp", "*.hpp", "*.cc"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        const QString folder = relative.section('/', 0, 0);
        if (!IsChecked(folder) || !relative.contains('/')) {
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            found << relative + ": cannot be read";
            continue;
        }
        int lineNumber = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            ++lineNumber;
            const auto match = include.match(line);
            if (match.hasMatch() && !MayInclude(folder, match.captured(1))) {
                found << QString("%1:%2: %3").arg(relative).arg(lineNumber).arg(line);
            }
        }
    }
    found.sort();
    return found;
}

void WriteFile(const QString& path, const QByteArray& text)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

class TestLayering : public QObject {
    Q_OBJECT
private slots:
    void theTreeKeepsItsLayers();
    void includesUpOrSidewaysAreNamed();
};

void TestLayering::theTreeKeepsItsLayers()
{
    // RADIOPROG_SOURCE_DIR in the environment checks another checkout.
    const QString root = qEnvironmentVariable("RADIOPROG_SOURCE_DIR", RADIOPROG_SOURCE_DIR);
    const QStringList violations = LayeringViolations(root);
    if (!violations.isEmpty()) {
        QFAIL(qPrintable("Includes against the layering:\n" + violations.join('\n')));
    }
}

// The checker itself, on a tree of its own: each kind of wrong include is found with
// its file and line, and the allowed ones are not.
void TestLayering::includesUpOrSidewaysAreNamed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    WriteFile(
        root + "/data/radio_data.h",
        "#pragma once\n#include \"data/channel_record.h\"\n#include \"app/language_table.h\"\n"
        "#include \"config/settings.h\"\n");
    WriteFile(root + "/channels/view.cpp",
              "#include \"channels/view.h\"\n#include \"widgets/num_edit.h\"\n"
              "#include \"features/feature_bytes.h\"\n");
    WriteFile(root + "/print/printer.cpp",
              "#include \"channels/view.h\"\n#include \"features/x.h\"\n"
              "  #  include \"shell/main_frame.h\"\n");
    WriteFile(root + "/cli/main.cpp",
              "#include \"link/protocol.h\"\n#include \"config/settings.h\"\n"
              "#include \"widgets/message_box.h\"\n#include \"sim/radio_machine.h\"\n");
    WriteFile(root + "/sim/main.cpp", "#include \"cli/cli_host.h\"\n#include <QtCore>\n");
    WriteFile(root + "/link/worker.cpp",
              "#include \"ui_form.h\"\n#include \"data/radio_data.h\"\n");
    WriteFile(root + "/tests/t.cpp", "#include \"shell/main_frame.h\"\n");
    WriteFile(root + "/bench/b.cpp", "#include \"shell/main_frame.h\"\n");

    const QStringList expected = {
        "channels/view.cpp:3: #include \"features/feature_bytes.h\"",
        "cli/main.cpp:3: #include \"widgets/message_box.h\"",
        "cli/main.cpp:4: #include \"sim/radio_machine.h\"",
        "data/radio_data.h:3: #include \"app/language_table.h\"",
        "data/radio_data.h:4: #include \"config/settings.h\"",
        "print/printer.cpp:3: #  include \"shell/main_frame.h\"",
        "sim/main.cpp:1: #include \"cli/cli_host.h\"",
    };
    QCOMPARE(LayeringViolations(root), expected);
}

QTEST_GUILESS_MAIN(TestLayering)
#include "test_layering.moc"
