#pragma once

namespace tallimo {

// Readies the process for the web engine just before the engine's module is loaded, so that the
// program pays nothing for the engine until the first web page:
// - the engine draws in OpenGL contexts that share with one program-wide context, which Qt makes
//   only for a program that asked for it before start-up (and then at every start); it is made
//   here instead;
// - the engine's sandbox refuses to run for the superuser (as in a CI container), so only then
//   it is switched off;
// - the engine speaks Chinese in its own texts, such as the page it shows for a site it cannot
//   reach.
// Needs the application object.
void PrepareWebEngine();

}  // namespace tallimo
