// The quarn executable: no arguments; it runs in the folder holding its data.

#include "app/application.h"
#include "core/clock.h"

int main() {
    Clock& clock = SystemClock();
    return RunApplication(DefaultSubsystems(clock), clock);
}
