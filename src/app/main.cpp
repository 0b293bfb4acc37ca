// The quarn executable: no arguments; it runs in the folder holding its data.

#include "app/application.h"

int main() {
    return RunApplication(DefaultSubsystems());
}
