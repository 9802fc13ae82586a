#pragma once
#include "support/BuildPaths.h"
#include "platform/files/ExtendedAttributes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fendle::test {

// A folder for files that carry extended attributes. It lies in the build
// tree, on the disk of the checkout: /tmp may be a tmpfs without "user."
// attributes.
class AttributeTestFolder {
public:
    AttributeTestFolder() : dir_(prepared() + QStringLiteral("/attributes-XXXXXX")) {}

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // Makes (or empties) a file and answers its path.
    QString makeFile(const QString& name, const QByteArray& contents = QByteArrayLiteral("x")) const {
        const QString path = filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(contents);
        return path;
    }

    // Whether files here take "user." attributes; message says why not.
    bool supportsUserAttributes(QString* message = nullptr) const {
        const QString probe = makeFile(QStringLiteral(".probe"));
        const ExtendedAttributes::Result set = ExtendedAttributes::set(probe, QStringLiteral("probe"), "1");
        QFile::remove(probe);
        if (!set.ok && message)
            *message = QStringLiteral("no user extended attributes in %1 (%2)").arg(path(), set.message);
        return set.ok;
    }

private:
    static QString prepared() {
        const QString scratch = scratchFolder();
        QDir().mkpath(scratch);
        return scratch;
    }
    QTemporaryDir dir_;
};

}  // namespace fendle::test

// Skips the current test, saying why, when the folder takes no attributes.
#define SKIP_WITHOUT_USER_ATTRIBUTES(folder)                                                    \
    do {                                                                                        \
        QString whyNot;                                                                         \
        if (!(folder).supportsUserAttributes(&whyNot)) GTEST_SKIP() << whyNot.toStdString(); \
    } while (false)
