#pragma once

// Resident memory of this process in bytes (the working set on Windows).
long residentBytes();
