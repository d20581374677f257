#pragma once
// `quarvel-levels thumbnail`, run by the render program: the picture file managers show
// for a level set.

#include <span>

namespace quarvel_cli {

int RunThumbnail(std::span<char* const> args);

}  // namespace quarvel_cli
