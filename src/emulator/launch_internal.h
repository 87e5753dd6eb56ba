#pragma once
// Pieces of the launcher that its tests reach directly.

namespace zeb {

// BuildCommandOptions with a given decimal separator for the two real
// formats (BuildCommandOptions itself takes the user's).
void BuildCommandOptionsWith(char separator);

}  // namespace zeb
