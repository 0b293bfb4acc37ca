#include "resources/screenshot.h"

// The capture and the file writers come with the image codecs.
void TakeScreenshot(int, int, int8_t) {}
