// fendlelook-preview INPUT [-o OUT.rtf]: the preview of a cache file as RTF,
// made by the installed FendleLook module; without -o it goes to standard
// output.
#include "fendlelook/host/FileArgument.h"
#include "fendlelook/host/GeneratorInstance.h"
#include "fendlelook/host/HeadlessHost.h"
#include "platform/system/InstallLocations.h"

#include <QFile>
#include <cstdio>

using namespace fendle;
using namespace fendle::look;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "fendlelook-preview: %s\n", qPrintable(message));
    return 1;
}

struct PreviewArguments {
    std::optional<FileArgument> input;
    QString output;  // empty: standard output
};

std::optional<PreviewArguments> parse(const QStringList& arguments) {
    PreviewArguments parsed;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != QStringLiteral("-o")) files.append(arguments[i]);
        else if (++i < arguments.size()) parsed.output = arguments[i];
        else return std::nullopt;
    }
    if (files.size() != 1) return std::nullopt;
    parsed.input = FileArgument::from(files[0]);
    if (!parsed.input) return std::nullopt;
    return parsed;
}

bool write(const QByteArray& bytes, const QString& output) {
    QFile file(output);
    const bool opened = output.isEmpty() ? file.open(stdout, QIODevice::WriteOnly) : file.open(QIODevice::WriteOnly);
    return opened && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char** argv) {
    const auto application = HeadlessHost::start(argc, argv);
    const auto arguments = parse(application->arguments().mid(1));
    if (!arguments) {
        std::fprintf(stderr, "usage: fendlelook-preview INPUT [-o OUT.rtf]\n");
        return 2;
    }
    const auto bundle = GeneratorBundle::load(InstallLocations::fendleLookBundle());
    if (!bundle) return fail(bundle.error());
    const auto generator = GeneratorInstance::create(*bundle);
    if (!generator) return fail(generator.error());
    const auto preview = generator->preview(arguments->input->url, arguments->input->contentType);
    if (!preview) return fail(QStringLiteral("no preview for %1").arg(arguments->input->path));
    if (!write(preview->data, arguments->output)) return fail(QStringLiteral("cannot write the preview"));
    return 0;
}
