#pragma once
#include "appcore/LaunchRequest.h"

#include <functional>

namespace fendle {

class FendleApplication;
class FendleController;

// Carries out what a start of the program asked for, through the same
// operations the document controller and the services use.
class LaunchDispatcher {
public:
    LaunchDispatcher(FendleController& controller, FendleApplication& application);
    // Slip links go to the URL-open handler of the links code.
    std::function<void(const QString& address)> openSlipLink;

    // Answers how many requests succeeded.
    int dispatch(const QList<LaunchRequest>& requests);
    bool dispatch(const LaunchRequest& request);

private:
    FendleController& controller_;
    FendleApplication& application_;
};

}  // namespace fendle
