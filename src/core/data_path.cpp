#include "core/data_path.h"

std::string DataFilePath(std::string_view stored) {
    std::string path(stored);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}
