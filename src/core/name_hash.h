#pragma once
// The 32-bit name hash of scene records and the texture cache.

#include <cstdint>
#include <string>

uint32_t NameHash(const std::string& text);
