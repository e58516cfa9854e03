#pragma once

// GMime keeps process-wide tables; they are set up once, on first use, from
// whichever thread gets there first.
void EnsureGMime();
