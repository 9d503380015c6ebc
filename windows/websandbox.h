#pragma once

namespace tallimo {

// The web engine's sandbox refuses to run for the superuser (as in a CI container); only then
// it is switched off. Must run before the engine starts.
void AllowWebEngineForSuperuser();

}  // namespace tallimo
