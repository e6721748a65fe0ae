// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <system_error>

// The name of each folder nested below: long, so that few make a path too long.
inline std::string DeepName()
{
    return std::string(250, 'x');
}

// The name of the link to the folder `depth` deep: "p1", "p2", ...
inline std::string DeepLink(int depth)
{
    return QByteArrayLiteral("p").append(QByteArray::number(depth)).toStdString();
}

// Folders nested through links in `folderPath`, until the path they resolve to is longer than
// the system's limit of 4,096 bytes, though each name given stays short: x, a real folder with a
// long name; p1 -> x, with p1/x made; p2 -> p1/x, with p2/x made; ... The last, "p<n>/x", comes
// back, a folder x/x/.../x deep; nothing where the system makes no such links.
inline QString DeepThroughLinks(const QString &folderPath)
{
    const std::filesystem::path folder = QFile::encodeName(folderPath).toStdString();
    const std::string x = DeepName();
    std::error_code error;
    if (!std::filesystem::create_directory(folder / x, error))
        return {};
    std::string last = x;
    for (int depth = 1; depth * int(x.size() + 1) <= 4096; ++depth) {
        const std::string link = DeepLink(depth);
        std::filesystem::create_directory_symlink(last, folder / link, error);
        if (error || !std::filesystem::create_directory(folder / link / x, error))
            return {};
        last = link;
        last += '/';
        last += x;
    }
    return QFile::decodeName(last.c_str());
}

// Takes away what DeepThroughLinks made in `folderPath`, deepest first and through the links: the
// path of the deepest folder is too long to remove anything by (QTemporaryDir cannot).
inline void RemoveDeepThroughLinks(const QString &folderPath)
{
    const std::filesystem::path folder = QFile::encodeName(folderPath).toStdString();
    const std::string x = DeepName();
    const auto link = [&](int depth) { return folder / DeepLink(depth); };
    std::error_code error;
    int deepest = 0;
    while (std::filesystem::is_symlink(link(deepest + 1), error))
        ++deepest;
    for (int depth = deepest; depth > 0; --depth) {
        std::filesystem::remove_all(link(depth) / x, error);
        std::filesystem::remove(link(depth), error);
    }
    std::filesystem::remove_all(folder / x, error);
}
