#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Runs a fuzz target over stored inputs without libFuzzer, so that the seeds and every input that
// once crashed it are replayed by the ordinary test build. Arguments: files or folders of inputs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {
QStringList inputFiles(const QString& argument)
{
    const QFileInfo info(argument);
    if (!info.exists())
        return {}; // a folder of finds that has none yet
    if (!info.isDir())
        return {argument};
    QStringList files;
    for (const QFileInfo& entry : QDir(argument).entryInfoList(QDir::Files, QDir::Name))
        files.append(entry.filePath());
    return files;
}
} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const QString& path : inputFiles(QString::fromLocal8Bit(argv[i]))) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qUtf8Printable(path));
                return 1;
            }
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                   static_cast<std::size_t>(input.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
