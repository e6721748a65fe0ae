// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviefiles.h"

#include "movielimits.h"

#include <QDir>
#include <QImageReader>
#include <QLibraryInfo>
#include <QMutexLocker>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Enough lines for an author to see what is refused; a movie that asks for a million paths says
// no more than that.
constexpr qsizetype MostWarned = 256;

// Qt's picture reader, refused a name, asks again with each picture format's suffix on its own:
// the name asked for, when `what` may be such a try, else nothing. Outside the gate's lock, as
// the formats are known by Qt's plugins, which the gate serves too.
QString PictureTryOf(const QString &what)
{
    const qsizetype dot = what.lastIndexOf(u'.');
    if (dot <= 0 ||
        !QImageReader::supportedImageFormats().contains(what.sliced(dot + 1).toLatin1()))
        return {};
    return what.left(dot);
}

QString Size(qint64 bytes)
{
    return bytes >= 1024 * 1024 ? QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024))
                                : QStringLiteral("%1 KiB").arg(bytes / 1024);
}

// Qt's plugins and QML modules, the fonts it brings (Windows: beside the program), and the
// system's fonts, which Qt looks at through its file engines before it draws a glyph in them.
QStringList QtFolders(const PathRules &rules)
{
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath),
                        QLibraryInfo::path(QLibraryInfo::QmlImportsPath),
                        QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/fonts")};
    folders += QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    const QString current = QDir::currentPath();
    for (QString &folder : folders)
        folder = CleanAbsolute(folder, current, rules);
    return folders;
}

QString FileName(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1).toLower();
}

bool IsDocument(const QString &path)
{
    const QString name = FileName(path);
    return name == u"qmldir" || name.endsWith(u".qml") || name.endsWith(u".js") ||
           name.endsWith(u".mjs");
}

// Native code: what the engine would hand the system's loader after a look at its bytes.
bool IsPlugin(const QString &path)
{
    const QString name = FileName(path);
    return name.endsWith(u".so") || name.contains(u".so.") || name.endsWith(u".dll") ||
           name.endsWith(u".dylib");
}

// A file a qmldir line names: one of the folder's own documents, below it.
bool IsOwnDocument(const QByteArray &file)
{
    const QString path = QString::fromUtf8(file);
    return IsDocument(path) && !path.startsWith(u'/') && !path.contains(u':') &&
           !path.contains(u'\\') && !path.split(u'/').contains(u"..");
}

// Whether a qmldir names nothing but the folder's own types and scripts:
//   "module Club", "Panel 1.0 Panel.qml", "internal Digit Digit.qml",
//   "singleton Theme 1.0 Theme.qml", "Rules 1.0 rules.js", comments     #=> nothing
//   "plugin club", "optional plugin club", "classname ClubPlugin"       #=> Plugin
//   "prefer :/club/", "import QtQuick", "Panel 1.0 ../outside.qml", ... #=> ModuleLine
std::optional<Refusal> ModuleRefusal(const QByteArray &qmldir)
{
    for (const QByteArray &line : qmldir.split('\n')) {
        QList<QByteArray> words = line.simplified().split(' ');
        if (words.first().isEmpty() || words.first().startsWith('#'))
            continue;
        if (words.first() == "plugin" || words.first() == "optional" ||
            words.first() == "classname")
            return Refusal::Plugin;
        if (words.first() == "module" && words.size() == 2)
            continue;
        if (words.first() == "internal" || words.first() == "singleton")
            words.removeFirst();
        if ((words.size() != 2 && words.size() != 3) || !IsOwnDocument(words.last()))
            return Refusal::ModuleLine;
    }
    return std::nullopt;
}

} // namespace

QString RefusalReason(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Outside:
        return QStringLiteral("outside the board's folder");
    case Refusal::LinkOut:
        return QStringLiteral("a link out of it");
    case Refusal::NotAFile:
        return QStringLiteral("not a file");
    case Refusal::Unreadable:
        return QStringLiteral("it cannot be read");
    case Refusal::NetworkAddress:
        return QStringLiteral("a network address");
    case Refusal::Plugin:
        return QStringLiteral("a plugin");
    case Refusal::ModuleLine:
        return QStringLiteral("a qmldir may name only the folder's own types and scripts");
    case Refusal::DataDocument:
        return QStringLiteral("a document or script in a data: address");
    case Refusal::FileRequest:
        return QStringLiteral("a file asked for by XMLHttpRequest");
    case Refusal::DocumentTooLarge:
        return QStringLiteral("too large for a document (over %1)")
            .arg(Size(MovieLimits::DocumentBytes));
    case Refusal::AllDocumentsTooLarge:
        return QStringLiteral("too large: the board's documents together over %1")
            .arg(Size(MovieLimits::AllDocumentsBytes));
    case Refusal::FileTooLarge:
        return QStringLiteral("too large (over %1)").arg(Size(MovieLimits::OtherBytes));
    case Refusal::AllFilesTooLarge:
        return QStringLiteral("too large: the board's files together over %1")
            .arg(Size(MovieLimits::AllFilesBytes));
    }
    Q_UNREACHABLE();
    return {};
}

MovieFiles::MovieFiles() : m_qtFolders(QtFolders(m_rules)) {}

MovieFiles::~MovieFiles() = default;

MovieFiles::Movie MovieFiles::open(const QString &path)
{
    QString resolved = ResolvedPath(path);
    if (resolved.isEmpty())
        resolved = CleanAbsolute(path, QDir::currentPath(), m_rules);
    const qsizetype slash = resolved.lastIndexOf(u'/');
    const QString name = resolved.mid(slash + 1);

    const QMutexLocker lock(&m_mutex);
    m_folder = resolved.left(slash);
    m_reader = std::make_unique<FolderReader>(m_folder);
    m_names.clear();
    m_kept.clear();
    m_allFiles = 0;
    m_allDocuments = 0;
    m_refusal.reset();
    m_warned.clear();

    Movie movie{resolved, {}, std::nullopt};
    FolderEntry entry = m_reader->read(name, MovieLimits::DocumentBytes);
    switch (entry.kind) {
    case FolderEntry::Kind::File:
        movie.document = entry.bytes;
        m_names.insert(PathKey(name, m_rules), entry.identity);
        m_kept.insert(entry.identity, {std::move(entry.bytes), true, std::nullopt});
        // Among the files, not among the documents: those are the parts'.
        m_allFiles = movie.document.size();
        break;
    case FolderEntry::Kind::TooLarge:
        movie.failure = MovieOutcome::TooLarge;
        break;
    case FolderEntry::Kind::Unreadable:
        movie.failure = MovieOutcome::Unreadable;
        break;
    default: // a folder, a device, a link that leads out
        movie.failure = MovieOutcome::Missing;
        break;
    }
    return movie;
}

MovieFiles::Answer MovieFiles::ask(const QString &name)
{
    Verdict verdict;
    {
        const QMutexLocker lock(&m_mutex);
        verdict = judge(name, IsDocument(name) ? Use::Document : Use::Other);
    }
    publish(verdict, name);
    return verdict.answer;
}

void MovieFiles::readAsDocument(const QString &path)
{
    Verdict verdict;
    {
        const QMutexLocker lock(&m_mutex);
        verdict = judge(path, Use::Document);
    }
    publish(verdict, path);
}

void MovieFiles::publish(const Verdict &verdict, const QString &what)
{
    if (verdict.refused)
        warn(what, *verdict.refused);
    if (verdict.refusesMovie) {
        const QMutexLocker lock(&m_mutex);
        if (!m_refusal)
            m_refusal = verdict.refusesMovie;
    }
}

void MovieFiles::refuse(const QString &what, Refusal why)
{
    warn(what, why);
}

std::optional<MovieOutcome> MovieFiles::refusal()
{
    const QMutexLocker lock(&m_mutex);
    return m_refusal;
}

MovieFiles::Verdict MovieFiles::judge(const QString &name, Use use)
{
    // Qt's resources are compiled into the program.
    if (name.isEmpty() || name.startsWith(u':'))
        return {{Answer::Kind::Qt, {}}, std::nullopt};
    if (NamesHostOrDevice(name, m_rules))
        return {{}, Refusal::NetworkAddress};
    const QString path = CleanAbsolute(name, QDir::currentPath(), m_rules);
    for (const QString &folder : m_qtFolders) {
        if (IsInside(path, folder, m_rules))
            return {{Answer::Kind::Qt, {}}, std::nullopt};
    }
    if (!m_reader || !IsInside(path, m_folder, m_rules)) {
        // Qt makes a path in its folders canonical a folder at a time (on Windows), looking at
        // each folder on the way: missing, as every folder outside, but not the movie's doing.
        const bool onTheWay =
            std::any_of(m_qtFolders.cbegin(), m_qtFolders.cend(),
                        [&](const QString &folder) { return IsInside(folder, path, m_rules); });
        return {{}, onTheWay ? std::nullopt : std::optional(Refusal::Outside)};
    }
    return inside(path.mid(m_folder.size() + 1), use);
}

MovieFiles::Verdict MovieFiles::inside(const QString &name, Use use)
{
    const QString key = PathKey(name, m_rules);
    FileIdentity identity;
    if (const auto known = m_names.constFind(key); known != m_names.cend()) {
        if (!*known)
            return {{Answer::Kind::Folder, {}}, std::nullopt};
        identity = **known;
    } else {
        // Named as native code is, and never read as such (the movie, brevanto.dll, is known by
        // now).
        if (IsPlugin(name))
            return {{}, Refusal::Plugin};
        FolderEntry entry = m_reader->read(name, MovieLimits::OtherBytes);
        switch (entry.kind) {
        case FolderEntry::Kind::Folder:
            m_names.insert(key, std::nullopt);
            return {{Answer::Kind::Folder, {}}, std::nullopt};
        case FolderEntry::Kind::Missing:
            return {};
        case FolderEntry::Kind::LinkOut:
            return {{}, Refusal::LinkOut};
        case FolderEntry::Kind::NotAFile:
            return {{}, Refusal::NotAFile};
        case FolderEntry::Kind::Unreadable:
            return {{}, Refusal::Unreadable, MovieOutcome::Unreadable};
        case FolderEntry::Kind::TooLarge:
            return {{}, Refusal::FileTooLarge, MovieOutcome::TooLarge};
        case FolderEntry::Kind::File:
            break;
        }
        identity = entry.identity;
        if (!m_kept.contains(identity)) {
            if (m_allFiles + entry.bytes.size() > MovieLimits::AllFilesBytes)
                return {{}, Refusal::AllFilesTooLarge, MovieOutcome::TooLarge};
            m_allFiles += entry.bytes.size();
            m_kept.insert(identity, {std::move(entry.bytes), false, std::nullopt});
        }
        m_names.insert(key, identity);
    }

    Kept &kept = m_kept[identity];
    if (use == Use::Document && !kept.document && !kept.refused) {
        if (kept.bytes.size() > MovieLimits::DocumentBytes)
            kept.refused = Refusal::DocumentTooLarge;
        else if (m_allDocuments + kept.bytes.size() > MovieLimits::AllDocumentsBytes)
            kept.refused = Refusal::AllDocumentsTooLarge;
        else
            m_allDocuments += kept.bytes.size();
        kept.document = !kept.refused;
    }
    if (kept.refused)
        return {{}, kept.refused, MovieOutcome::TooLarge};
    // Refused as missing, the engine imports the folder as a plain one: its types without the
    // plugin.
    if (FileName(name) == u"qmldir") {
        if (const std::optional<Refusal> refused = ModuleRefusal(kept.bytes))
            return {{}, refused};
    }
    return {{Answer::Kind::File, kept.bytes}, std::nullopt};
}

void MovieFiles::warn(const QString &what, Refusal why)
{
    const QString triedFor = PictureTryOf(what);
    {
        const QMutexLocker lock(&m_mutex);
        if (m_warned.size() >= MostWarned || m_warned.contains(what) ||
            (!triedFor.isEmpty() && m_warned.contains(triedFor)))
            return;
        m_warned.insert(what);
    }
    qWarning("Scoreboard movie: %s is refused: %s", qPrintable(what),
             qPrintable(RefusalReason(why)));
}
