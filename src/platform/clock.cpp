#include "platform/clock.h"

#include <SDL.h>

uint64_t PlatformMilliseconds() {
    return SDL_GetTicks64();
}

uint64_t PlatformPerformanceFrequency() {
    return SDL_GetPerformanceFrequency();
}

uint64_t PlatformPerformanceCounter() {
    return SDL_GetPerformanceCounter();
}

void PlatformDelay(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}
