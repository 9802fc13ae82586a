#pragma once
#include "appcore/LaunchRequest.h"


namespace fendle {

class FendleApplication;
class FendleController;

// Carries out what a start of the program asked for, through the same
// operations the document controller and the services use.
class LaunchDispatcher {
public:
    // Slip links go to the application's URL-open handler, through its host.
    LaunchDispatcher(FendleController& controller, FendleApplication& application);

    // Answers how many requests succeeded.
    int dispatch(const QList<LaunchRequest>& requests);
    bool dispatch(const LaunchRequest& request);

private:
    FendleController& controller_;
    FendleApplication& application_;
};

}  // namespace fendle
