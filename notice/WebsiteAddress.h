#pragma once

// The maker's website: opened by the banner and the button, and printed in the notice text.
inline constexpr char kWebsiteAddress[] = "http://www.ombrelo.example";
