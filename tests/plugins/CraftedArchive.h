#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <archive.h>
#include <archive_entry.h>

namespace fendle::test {

// A gzip-compressed tar made entry by entry, so that tests can write what no
// honest publisher would: paths leading out, links out, devices, hard links.
class CraftedArchive {
public:
    CraftedArchive& folder(const QString& path) { return add(path, AE_IFDIR, {}, {}); }
    CraftedArchive& file(const QString& path, const QByteArray& contents = "x") { return add(path, AE_IFREG, contents, {}); }
    CraftedArchive& link(const QString& path, const QString& target) { return add(path, AE_IFLNK, {}, target); }
    CraftedArchive& hardLink(const QString& path, const QString& target) {
        entries_.append({path, AE_IFREG, {}, target, true});
        return *this;
    }
    CraftedArchive& device(const QString& path) { return add(path, AE_IFCHR, {}, {}); }
    CraftedArchive& fifo(const QString& path) { return add(path, AE_IFIFO, {}, {}); }
    // A plain tar of one file header that announces size bytes and holds
    // none (a writer would pad the data out).
    static QByteArray announcing(const QByteArray& path, qint64 size) {
        QByteArray header(512, '\0');
        auto put = [&](int at, const QByteArray& field) { header.replace(at, field.size(), field); };
        put(0, path);
        put(100, "0000644");
        put(108, "0000000");
        put(116, "0000000");
        put(124, QByteArray::number(size, 8).rightJustified(11, '0'));
        put(136, "00000000000");
        put(156, "0");
        put(257, QByteArray("ustar\0" "00", 8));
        put(148, "        ");
        int sum = 0;
        for (char c : header) sum += static_cast<unsigned char>(c);
        put(148, QByteArray::number(sum, 8).rightJustified(6, '0') + QByteArray("\0 ", 2));
        return header + QByteArray(1024, '\0');
    }

    QByteArray bytes() const {
        QByteArray out;
        archive* a = archive_write_new();
        archive_write_add_filter_gzip(a);
        archive_write_set_format_pax_restricted(a);
        archive_write_open(a, &out, nullptr, append, nullptr);
        for (const Entry& e : entries_) {
            archive_entry* entry = archive_entry_new();
            archive_entry_set_pathname(entry, e.path.toUtf8().constData());
            archive_entry_set_filetype(entry, e.type);
            archive_entry_set_perm(entry, 0644);
            if (e.hard)
                archive_entry_set_hardlink(entry, e.target.toUtf8().constData());
            else if (e.type == AE_IFLNK)
                archive_entry_set_symlink(entry, e.target.toUtf8().constData());
            archive_entry_set_size(entry, e.contents.size());
            archive_write_header(a, entry);
            if (!e.contents.isEmpty()) archive_write_data(a, e.contents.constData(), size_t(e.contents.size()));
            archive_entry_free(entry);
        }
        archive_write_close(a);
        archive_write_free(a);
        return out;
    }

private:
    struct Entry {
        QString path;
        unsigned type;
        QByteArray contents;
        QString target;
        bool hard = false;
    };
    QList<Entry> entries_;

    CraftedArchive& add(const QString& path, unsigned type, const QByteArray& contents, const QString& target) {
        entries_.append({path, type, contents, target});
        return *this;
    }
    static la_ssize_t append(archive*, void* data, const void* buffer, size_t length) {
        static_cast<QByteArray*>(data)->append(static_cast<const char*>(buffer), qsizetype(length));
        return la_ssize_t(length);
    }
};

}  // namespace fendle::test
