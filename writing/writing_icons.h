#pragma once
// The writing windows' pictures live in a resource of a static library, which
// the linker keeps only when something names it; each window calls this.
void initWritingIcons();
