#include "appcore/LaunchDispatcher.h"

#include "appcore/FendleApplication.h"
#include "appcore/FendleController.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"

namespace fendle {

LaunchDispatcher::LaunchDispatcher(FendleController& controller, FendleApplication& application)
    : controller_(controller), application_(application) {}

int LaunchDispatcher::dispatch(const QList<LaunchRequest>& requests) {
    int done = 0;
    for (const LaunchRequest& request : requests) done += dispatch(request) ? 1 : 0;
    return done;
}

bool LaunchDispatcher::dispatch(const LaunchRequest& request) {
    InMemoryPasteboard pasteboard;
    // What the services find on their pasteboard: text read from standard
    // input, or the file named.
    if (request.standardInput)
        pasteboard.setData(Pasteboard::StringType, *request.standardInput);
    else if (request.kind == LaunchRequest::Kind::SearchBox)
        pasteboard.setData(Pasteboard::StringType, request.value.toUtf8());
    else
        pasteboard.setData(FendleApplication::FileListType, QUrl::fromLocalFile(request.value).toEncoded() + '\n');

    switch (request.kind) {
    case LaunchRequest::Kind::Open: {
        QString error;
        if (controller_.openDocumentWithContentsOfURL(QUrl::fromLocalFile(request.value), true, &error)) return true;
        logLine(QStringLiteral("Could not open %1: %2").arg(request.value, error));
        return false;
    }
    case LaunchRequest::Kind::SlipLink:
        application_.host().openSlipLink(request.value);
        return true;
    case LaunchRequest::Kind::NewSlip:
        return application_.makeSlipFromPasteboard(pasteboard);
    case LaunchRequest::Kind::Append:
        return application_.appendToSlipFromPasteboard(pasteboard);
    case LaunchRequest::Kind::SearchBox:
        return application_.searchBoxService(pasteboard);
    }
    return false;
}

}  // namespace fendle
