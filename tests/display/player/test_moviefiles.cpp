// SPDX-License-Identifier: GPL-3.0-or-later
#include "deeplinks.h"
#include "folderreader.h"
#include "moviefileengine.h"
#include "moviefiles.h"
#include "movielimits.h"

#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using Kind = FolderEntry::Kind;
using Served = MovieFiles::Answer::Kind;

// The gate every file of the movie's passes, and how it resolves a name beneath the movie's
// folder: in a scratch folder, the movie's folder board/ and outside/ beside it.
class TestMovieFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void reads_data();
    void reads();
    void aLinkSwappedMeanwhileNeverLeadsOut();
    void answers_data();
    void answers();
    void moduleFiles_data();
    void moduleFiles();
    void budgets();
    void engineServesFromMemory();

private:
    QString path(const QString &name) const { return m_scratch->filePath(name); }
    bool write(const QString &name, const QByteArray &bytes) const;
    // A link at `name` to `target`, as written; false where the system makes none.
    bool link(const QString &target, const QString &name) const;
    // A gate with the movie board/board.qml opened.
    std::unique_ptr<MovieFiles> openedMovie();

    std::optional<QTemporaryDir> m_scratch;
    bool m_links = false;
};

bool TestMovieFiles::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

bool TestMovieFiles::link(const QString &target, const QString &name) const
{
    std::error_code error;
    std::filesystem::create_symlink(QFile::encodeName(target).toStdString(),
                                    QFile::encodeName(path(name)).toStdString(), error);
    return !error;
}

void TestMovieFiles::init()
{
    m_scratch.emplace();
    QVERIFY(write(u"board/board.qml"_s, "import QtQuick\nItem {}\n"));
    QVERIFY(write(u"board/logo.png"_s, "inside"));
    QVERIFY(write(u"board/parts/Panel.qml"_s, "import QtQuick\nItem {}\n"));
    QVERIFY(write(u"outside/secret.png"_s, "outside"));
    m_links = link(u"logo.png"_s, u"board/inner"_s) &&
              link(path(u"outside/secret.png"_s), u"board/out"_s) &&
              link(u"../outside/secret.png"_s, u"board/up"_s) &&
              link(u"../outside"_s, u"board/outFolder"_s) &&
              link(u"parts"_s, u"board/partsLink"_s) && link(u"out"_s, u"board/chainOut"_s) &&
              link(u"loop"_s, u"board/loop"_s);
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

std::unique_ptr<MovieFiles> TestMovieFiles::openedMovie()
{
    auto files = std::make_unique<MovieFiles>();
    const MovieFiles::Movie movie = files->open(path(u"board/board.qml"_s));
    return movie.failure ? nullptr : std::move(files);
}

void TestMovieFiles::reads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("throughLinks");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("a file") << u"logo.png"_s << qint64(100) << false << int(Kind::File)
                            << QByteArray("inside");
    QTest::newRow("in a folder") << u"parts/Panel.qml"_s << qint64(100) << false << int(Kind::File)
                                 << QByteArray("import QtQuick\nItem {}\n");
    QTest::newRow("the folder itself")
        << QString() << qint64(100) << false << int(Kind::Folder) << QByteArray();
    QTest::newRow("a folder") << u"parts"_s << qint64(100) << false << int(Kind::Folder)
                              << QByteArray();
    QTest::newRow("nothing there")
        << u"none.png"_s << qint64(100) << false << int(Kind::Missing) << QByteArray();
    QTest::newRow("as long as the limit")
        << u"logo.png"_s << qint64(6) << false << int(Kind::File) << QByteArray("inside");
    QTest::newRow("a byte over the limit")
        << u"logo.png"_s << qint64(5) << false << int(Kind::TooLarge) << QByteArray();
    // Links
    QTest::newRow("a link inside")
        << u"inner"_s << qint64(100) << true << int(Kind::File) << QByteArray("inside");
    QTest::newRow("through a linked folder")
        << u"partsLink/Panel.qml"_s << qint64(100) << true << int(Kind::File)
        << QByteArray("import QtQuick\nItem {}\n");
    QTest::newRow("a link out, absolute")
        << u"out"_s << qint64(100) << true << int(Kind::LinkOut) << QByteArray();
    QTest::newRow("a link out by ..")
        << u"up"_s << qint64(100) << true << int(Kind::LinkOut) << QByteArray();
    QTest::newRow("through a linked folder outside")
        << u"outFolder/secret.png"_s << qint64(100) << true << int(Kind::LinkOut) << QByteArray();
    QTest::newRow("a link to a link out")
        << u"chainOut"_s << qint64(100) << true << int(Kind::LinkOut) << QByteArray();
    QTest::newRow("a loop") << u"loop"_s << qint64(100) << true << int(Kind::Missing)
                            << QByteArray();
    // Where the path the links lead to is longer than the system spells (realpath gives up)
    QTest::newRow("deep through links, inside")
        << u"deep/logo.png"_s << qint64(100) << true << int(Kind::File) << QByteArray("inside");
    QTest::newRow("deep through links, then out")
        << u"deep/out.png"_s << qint64(100) << true << int(Kind::LinkOut) << QByteArray();
}

void TestMovieFiles::reads()
{
    QFETCH(QString, name);
    QFETCH(qint64, limit);
    QFETCH(bool, throughLinks);
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    if (throughLinks && !m_links)
        QSKIP("This system makes no symbolic links here");
    // Qt's canonicalFilePath() gives such a path back as it was, links and all.
    const auto removeDeep = qScopeGuard([&] { RemoveDeepThroughLinks(path(u"board"_s)); });
    if (name.startsWith(u"deep/"_s)) {
        const QString deep = DeepThroughLinks(path(u"board"_s));
        QVERIFY(!deep.isEmpty());
        QVERIFY(write(u"board/"_s + deep + u"/logo.png"_s, "inside"));
        QVERIFY(link(path(u"outside/secret.png"_s), u"board/"_s + deep + u"/out.png"_s));
        QVERIFY(link(deep, u"board/deep"_s));
    }
    const FolderReader reader(path(u"board"_s));
    QVERIFY(reader.isOpen());
    const FolderEntry entry = reader.read(name, limit);
    QCOMPARE(int(entry.kind), kind);
    QCOMPARE(entry.bytes, bytes);
    // One file by any of its names, another file by none of them.
    if (entry.kind == Kind::File && name != u"logo.png"_s)
        QCOMPARE(entry.identity == reader.read(u"logo.png"_s, limit).identity, name == u"inner"_s);
}

void TestMovieFiles::aLinkSwappedMeanwhileNeverLeadsOut()
{
    // Another process turns a link of the board's between a file inside and one outside, as fast
    // as it can, while the board reads it again and again: never the outside file's bytes.
    if (!m_links)
        QSKIP("This system makes no symbolic links here");
    const std::filesystem::path link = QFile::encodeName(path(u"board/swapped"_s)).toStdString();
    const std::filesystem::path next = QFile::encodeName(path(u"board/next"_s)).toStdString();
    const std::string targets[] = {"logo.png",
                                   QFile::encodeName(path(u"outside/secret.png"_s)).toStdString()};
    std::filesystem::create_symlink(targets[0], link);
    std::atomic<bool> done = false;
    std::thread swapper([&] {
        for (int i = 0; !done; ++i) {
            std::filesystem::create_symlink(targets[i % 2], next);
            std::filesystem::rename(next, link);
        }
    });
    const FolderReader reader(path(u"board"_s));
    int inside = 0;
    int refused = 0;
    for (int i = 0; i < 20000 && (inside < 100 || refused < 100); ++i) {
        const FolderEntry entry = reader.read(u"swapped"_s, 100);
        QVERIFY2(entry.kind == Kind::LinkOut || entry.bytes == "inside", entry.bytes.constData());
        (entry.kind == Kind::LinkOut ? refused : inside) += 1;
    }
    done = true;
    swapper.join();
    QVERIFY(inside > 0 && refused > 0);
}

void TestMovieFiles::answers_data()
{
    // In the scratch folder, or Qt's ("qt:" for its modules), or a resource.
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("served");
    // The reason of the warning, none if none; and whether the movie is refused whole for it.
    QTest::addColumn<int>("refusal");
    QTest::addColumn<bool>("refusesMovie");

    const int none = -1;
    QTest::newRow("a picture") << u"board/logo.png"_s << int(Served::File) << none << false;
    QTest::newRow("with . and ..")
        << u"board/parts/./../logo.png"_s << int(Served::File) << none << false;
    QTest::newRow("a folder") << u"board/parts"_s << int(Served::Folder) << none << false;
    QTest::newRow("nothing there") << u"board/none.png"_s << int(Served::Missing) << none << false;
    QTest::newRow("out by ..") << u"board/../outside/secret.png"_s << int(Served::Missing)
                               << int(Refusal::Outside) << false;
    QTest::newRow("outside") << u"outside/secret.png"_s << int(Served::Missing)
                             << int(Refusal::Outside) << false;
    QTest::newRow("a folder beginning alike")
        << u"board2/x.png"_s << int(Served::Missing) << int(Refusal::Outside) << false;
    QTest::newRow("native code") << u"board/parts/libpanel.so"_s << int(Served::Missing)
                                 << int(Refusal::Plugin) << false;
    QTest::newRow("native code, Windows")
        << u"board/parts/Panel.DLL"_s << int(Served::Missing) << int(Refusal::Plugin) << false;
    QTest::newRow("a document too large")
        << u"board/Big.qml"_s << int(Served::Missing) << int(Refusal::DocumentTooLarge) << true;
    QTest::newRow("a picture as large") << u"board/big.png"_s << int(Served::File) << none << false;
    QTest::newRow("Qt's modules") << u"qt:/QtQuick/qmldir"_s << int(Served::Qt) << none << false;
    QTest::newRow("out of Qt's modules by ..")
        << u"qt:/../../../../../../..$/outside/secret.png"_s << int(Served::Missing)
        << int(Refusal::Outside) << false;
    QTest::newRow("a folder on the way to Qt's modules")
        << u"qt:/.."_s << int(Served::Missing) << none << false;
    QTest::newRow("a resource") << u":/display/stage.qml"_s << int(Served::Qt) << none << false;
}

void TestMovieFiles::answers()
{
    QFETCH(QString, name);
    QFETCH(int, served);
    QFETCH(int, refusal);
    QFETCH(bool, refusesMovie);
    name.replace(u"qt:"_s, QLibraryInfo::path(QLibraryInfo::QmlImportsPath));
    name.replace(u"$"_s, m_scratch->path());
    if (!name.startsWith(u':') && !QDir::isAbsolutePath(name))
        name = path(name);
    QVERIFY(write(u"board/Big.qml"_s, QByteArray(MovieLimits::DocumentBytes + 1, ' ')));
    QVERIFY(write(u"board/big.png"_s, QByteArray(MovieLimits::DocumentBytes + 1, ' ')));
    const auto files = openedMovie();
    QVERIFY(files);
    if (refusal >= 0)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                                               name, RefusalReason(Refusal(refusal)))));
    // Asked again, as Qt asks for a file several times: the same answer, said once; and the
    // picture reader's own tries with a format's suffix, refused alike, not said at all.
    for (int time = 0; time < 3; ++time) {
        const MovieFiles::Answer answer = files->ask(name);
        QCOMPARE(int(answer.kind), served);
        if (answer.kind == Served::File)
            QCOMPARE(answer.bytes.size(), QFileInfo(name).size());
    }
    if (refusal >= 0 && !refusesMovie)
        QCOMPARE(int(files->ask(name + u".png"_s).kind), int(Served::Missing));
    QCOMPARE(files->refusal().has_value(), refusesMovie);
}

void TestMovieFiles::moduleFiles_data()
{
    QTest::addColumn<QByteArray>("qmldir");
    QTest::addColumn<int>("refusal");

    QTest::newRow("the folder's types and scripts")
        << QByteArray("# parts\nmodule Parts\nPanel 1.0 Panel.qml\ninternal Digit Digit.qml\n"
                      "singleton Theme 1.0 Theme.qml\nRules 1.0 rules.js\nPanel 2.0 v2/Panel.qml\n")
        << -1;
    QTest::newRow("a plugin") << QByteArray("plugin panel\nPanel 1.0 Panel.qml\n")
                              << int(Refusal::Plugin);
    QTest::newRow("an optional plugin")
        << QByteArray("optional plugin panel ../lib\n") << int(Refusal::Plugin);
    QTest::newRow("a plugin's class")
        << QByteArray("classname PanelPlugin\n") << int(Refusal::Plugin);
    QTest::newRow("the program's resources")
        << QByteArray("prefer :/parts/\n") << int(Refusal::ModuleLine);
    QTest::newRow("another module")
        << QByteArray("import QtQuick.Controls\n") << int(Refusal::ModuleLine);
    QTest::newRow("type information")
        << QByteArray("typeinfo parts.qmltypes\n") << int(Refusal::ModuleLine);
    QTest::newRow("a type outside")
        << QByteArray("Panel 1.0 ../Panel.qml\n") << int(Refusal::ModuleLine);
    QTest::newRow("a type by address")
        << QByteArray("Panel 1.0 file:///Panel.qml\n") << int(Refusal::ModuleLine);
    QTest::newRow("a picture as a type")
        << QByteArray("Panel 1.0 logo.png\n") << int(Refusal::ModuleLine);
}

void TestMovieFiles::moduleFiles()
{
    // Refused as missing, the folder is imported as a plain one: its types, and no plugin.
    QFETCH(QByteArray, qmldir);
    QFETCH(int, refusal);
    QVERIFY(write(u"board/parts/qmldir"_s, qmldir));
    const auto files = openedMovie();
    QVERIFY(files);
    const QString name = path(u"board/parts/qmldir"_s);
    if (refusal >= 0)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                                               name, RefusalReason(Refusal(refusal)))));
    const MovieFiles::Answer answer = files->ask(name);
    QCOMPARE(answer.kind, refusal >= 0 ? Served::Missing : Served::File);
    QVERIFY(!files->refusal());
}

void TestMovieFiles::budgets()
{
    // Documents by name and by the engine's word, and each file once however it is named.
    const QByteArray part = QByteArray(60 * 1000, ' ');
    // The movie among the files, not among the documents.
    qint64 documents = 0;
    for (int i = 0; i < 24; ++i)
        QVERIFY(write(u"board/parts/P%1.qml"_s.arg(i), part));
    QVERIFY(write(u"board/notes.txt"_s, QByteArray(100 * 1000, ' ')));
    auto files = openedMovie();
    QVERIFY(files);
    QCOMPARE(files->ask(path(u"board/notes.txt"_s)).kind, Served::File);
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                          path(u"board/notes.txt"_s), RefusalReason(Refusal::DocumentTooLarge))));
    files->readAsDocument(path(u"board/notes.txt"_s));
    QCOMPARE(files->ask(path(u"board/notes.txt"_s)).kind, Served::Missing);
    QCOMPARE(files->refusal(), MovieOutcome::TooLarge);

    files = openedMovie();
    for (int i = 0; i < 24; ++i) {
        const QString name = path(u"board/parts/P%1.qml"_s.arg(i));
        const bool within = documents + part.size() <= MovieLimits::AllDocumentsBytes;
        if (!within)
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                                     name, RefusalReason(Refusal::AllDocumentsTooLarge))));
        QCOMPARE(files->ask(name).kind, within ? Served::File : Served::Missing);
        documents += within ? part.size() : 0;
    }
    QCOMPARE(files->refusal(), MovieOutcome::TooLarge);

    // All the files together: pictures of 7 MiB, each asked for twice and counted once.
    for (int i = 0; i < 5; ++i) {
        QFile picture(path(u"board/p%1.png"_s.arg(i)));
        QVERIFY(picture.open(QIODevice::WriteOnly) && picture.resize(7 * 1024 * 1024));
    }
    files = openedMovie();
    qint64 all = QFileInfo(path(u"board/board.qml"_s)).size();
    for (int i = 0; i < 5; ++i) {
        const QString name = path(u"board/p%1.png"_s.arg(i));
        const bool within = all + 7 * 1024 * 1024 <= MovieLimits::AllFilesBytes;
        if (!within)
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                                     name, RefusalReason(Refusal::AllFilesTooLarge))));
        for (int time = 0; time < 2; ++time)
            QCOMPARE(files->ask(name).kind, within ? Served::File : Served::Missing);
        all += within ? 7 * 1024 * 1024 : 0;
    }
    QCOMPARE(files->refusal(), MovieOutcome::TooLarge);
}

void TestMovieFiles::engineServesFromMemory()
{
    // With the gate in place, Qt's own file classes get the movie's files from memory, nothing
    // outside, and never write.
    const QString logo = path(u"board/logo.png"_s);
    const QString secret = path(u"outside/secret.png"_s);
    const QString parts = path(u"board/parts"_s);
    // Qt asks its file engines as it finds these: before the gate is up. Qt's own files are as
    // they were (a Windows test has no QML modules beside it).
    const QString qtModules = QLibraryInfo::path(QLibraryInfo::QmlImportsPath);
    const bool qtModulesThere = QFileInfo(qtModules).isDir();
    {
        const auto files = openedMovie();
        QVERIFY(files);
        const MovieFileEngine engine(*files);
        QFile file(logo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("inside"));
        QVERIFY(!QFile(logo).open(QIODevice::WriteOnly));
        QVERIFY(!QFile(logo).open(QIODevice::ReadWrite | QIODevice::Append));
        QVERIFY(QFileInfo(parts).isDir());
        QCOMPARE(QFileInfo(qtModules).isDir(), qtModulesThere);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(u"Scoreboard movie: %1 is refused: %2"_s.arg(
                                               secret, RefusalReason(Refusal::Outside))));
        QVERIFY(!QFile::exists(secret));
    }
    // Gone with it: the files are as they were.
    QVERIFY(QFile::exists(secret));
    QFile file(logo);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("inside"));
}

QTEST_GUILESS_MAIN(TestMovieFiles)
#include "test_moviefiles.moc"
