#pragma once

namespace pages {

// Settles the browser engine's process-wide options. Must run before the engine starts, i.e. before the
// browser module is loaded; running it again changes nothing.
//  - Chromium cannot sandbox its renderers under root, so the sandbox is switched off then, and only then.
//  - The program needs no background traffic (safe-browsing lists, component updates).
//  - On the offscreen platform there is no GPU to talk to.
void prepareBrowserEnvironment();

} // namespace pages
