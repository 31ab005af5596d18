#pragma once

// The product's name. It names the per-user data folder, the folder of the
// registry layer's file, the single-instance key and the registry paths.
inline constexpr char kProductName[] = "Quorvane";
