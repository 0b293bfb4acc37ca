#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

MessageBoxHook g_hook;

bool HeadlessBoxes() {
    const char* mode = std::getenv("QUARN_MESSAGEBOX");
    return mode && std::strcmp(mode, "stderr") == 0;
}

Uint32 SdlBoxFlags(unsigned flags) {
    if ((flags & 0xF0) == MB_ICONERROR)
        return SDL_MESSAGEBOX_ERROR;
    if ((flags & 0xF0) == MB_ICONWARNING)
        return SDL_MESSAGEBOX_WARNING;
    return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

int ShowMessageBox(const char* text, const char* caption, unsigned flags) {
    const bool yesNo = (flags & 0xF) == MB_YESNO;
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
    if (g_hook)
        return g_hook(text, caption, flags);
    if (HeadlessBoxes())
        return yesNo ? IDYES : IDOK;

    if (!yesNo) {
        SDL_ShowSimpleMessageBox(SdlBoxFlags(flags), caption, text, nullptr);
        return IDOK;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
    };
    const SDL_MessageBoxData data = {
        SdlBoxFlags(flags), nullptr, caption, text, 2, buttons, nullptr};
    int answer = IDYES;
    if (SDL_ShowMessageBox(&data, &answer) != 0)
        return IDYES;
    return answer;
}

void SetMessageBoxHook(MessageBoxHook hook) {
    g_hook = std::move(hook);
}
