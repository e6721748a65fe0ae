// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over the files given (or the files of the folders given) once each, without
// libFuzzer: the seed corpora replayed in the ordinary build and under CTest, so that a
// regression of the rules shows without the fuzzing build. A failed property aborts.
//   replay_texttonumber fuzz/corpus/texttonumber

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

bool Replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray input = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                           size_t(input.size()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(path).isDir()) {
            if (!Replay(path))
                return 1;
            ++inputs;
            continue;
        }
        QDirIterator files(path, QDir::Files);
        while (files.hasNext()) {
            if (!Replay(files.next()))
                return 1;
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
