// Where players reach Rennor's makers: the support mailbox and the product's web page. Every
// window and command that shows or opens one of them takes it from here.
#pragma once

inline constexpr char SupportEMailAddress[] = "support@rennor.example.org";
inline constexpr char WebPageAddress[] = "https://rennor.example.org/";

// Open the page in the desktop's browser, or a new mail in its mail program. When the desktop
// has no program for it, the error box says so and names the address, which the player can
// still use by hand.
void OpenWebPage();
void WriteToSupport();
