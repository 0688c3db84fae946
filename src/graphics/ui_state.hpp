#pragma once

namespace ql {

struct UiState {};

} // namespace ql
