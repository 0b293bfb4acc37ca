// The quarn executable: no arguments. It runs in the folder holding its data,
// or, installed, finds its data beside itself and keeps what it writes in the
// user's folders (app/game_folders.h).

#include "app/application.h"
#include "app/game_folders.h"
#include "core/clock.h"
#include "platform/ini.h"
#include "platform/message_box.h"
#include "platform/user_folders.h"

int main() {
    const FolderPlaces places{CurrentDirectory(), ExecutableFolder(), UserConfigHome(),
                              UserPicturesFolder()};
    GameFolders folders = ChooseGameFolders(places);
    for (const std::string& message : UseGameFolders(folders))
        ShowMessageBox(message.c_str(), "Quarn", MB_OK | MB_ICONWARNING);
    Clock& clock = SystemClock();
    return RunApplication(DefaultSubsystems(clock), clock, folders.screenshots);
}
