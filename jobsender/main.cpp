// JobSenderAgent: the background program that sends spooled jobs to their printers.
#include "app/application.h"

int main() {
    return jobsender::runApplication();
}
