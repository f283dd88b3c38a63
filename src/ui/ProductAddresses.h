// Where players reach Rennor's makers: the support mailbox and the product's web page. Every
// window and command that shows or opens one of them takes it from here.
#pragma once

inline constexpr char SupportEMailAddress[] = "support@rennor.example.org";
inline constexpr char WebPageAddress[] = "https://rennor.example.org/";
