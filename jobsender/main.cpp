// JobSenderAgent: the background program that sends spooled jobs to their printers.
#include "alert/quit_alert.h"
#include "app/application.h"

int main() {
    jobsender::QuitAlertService alert;
    return jobsender::runApplication(
        [&alert](const std::string& message, const std::string& first, const std::string& second) {
            return alert.run(message, first, second);
        });
}
