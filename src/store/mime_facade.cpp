// MimeText and MailReader for the program: each call goes to the GMime module, loaded on first
// use, so that GMime and the libraries it pulls in cost the start-up nothing.
#include "store/mime_module.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

#include <cstdio>

namespace {

// Where an install keeps the module, relative to the program; programs of the build tree outside
// its bin/ (tests, tools) find it in the build tree's own copy of that layout.
QString modulePath() {
    const QString programDir = QCoreApplication::instance()
                                   ? QCoreApplication::applicationDirPath()
                                   : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString name = QStringLiteral("/libcorvalis-mime.so");
    const QString installed = programDir + QStringLiteral("/" CORVALIS_MIME_FROM_BINDIR) + name;
    const QString buildDir = QStringLiteral(CORVALIS_BUILD_DIR "/");
    if (!QFileInfo::exists(installed) && (programDir + u'/').startsWith(buildDir))
        return buildDir + QStringLiteral(CORVALIS_MIME_DIR) + name;
    return installed;
}

// Nothing when the module cannot be loaded, an installation fault, said once on stderr.
const MimeModule::Table *module(QString *why = nullptr) {
    static QString failure;
    static const MimeModule::Table *const table = []() -> const MimeModule::Table * {
        const QString path = modulePath();
        void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        const auto entry =
            handle ? reinterpret_cast<MimeModule::Entry>(dlsym(handle, MimeModule::entryName)) : nullptr;
        if (entry)
            return entry();
        const char *error = dlerror();
        failure = QStringLiteral("cannot load %1: %2").arg(path, QString::fromLocal8Bit(error));
        std::fprintf(stderr, "corvalis: %s\n", qPrintable(failure));
        return nullptr;
    }();
    if (!table && why)
        *why = failure;
    return table;
}

} // namespace

QByteArray MimeText::unstructuredHeader(const char *name, const QString &value) {
    const MimeModule::Table *table = module();
    return table ? table->unstructuredHeader(name, value) : QByteArray();
}

QByteArray MimeText::addressHeader(const char *name, const QList<Mailbox> &mailboxes) {
    const MimeModule::Table *table = module();
    return table ? table->addressHeader(name, mailboxes) : QByteArray();
}

QByteArray MimeText::quotedPrintable(const QByteArray &bytes) {
    const MimeModule::Table *table = module();
    return table ? table->quotedPrintable(bytes) : QByteArray();
}

bool MimeText::ready(QString *why) {
    const MimeModule::Table *table = module(why);
    return table && table->ready(why);
}

QString MimeText::decodedHeader(const QByteArray &raw) {
    const MimeModule::Table *table = module();
    return table ? table->decodedHeader(raw) : QString::fromUtf8(raw);
}

MailReader::Outcome MailReader::read(const QString &source,
                                     const std::function<bool(const Found &, int)> &each) {
    if (const MimeModule::Table *table = module())
        return table->read(source, each);
    return each({std::nullopt, QStringLiteral("unreadable"), false}, 1000) ? Outcome::Read
                                                                           : Outcome::Cancelled;
}

MailReader::Found MailReader::readMessage(const QByteArray &raw) {
    if (const MimeModule::Table *table = module())
        return table->readMessage(raw);
    return {std::nullopt, QStringLiteral("unreadable"), false};
}
