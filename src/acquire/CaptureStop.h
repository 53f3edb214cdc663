#pragma once
// A request to end the running capture early. Any thread may ask; the
// capture loops look at the request only as often as the quiet wait looks at
// the clock (once per 65,536 reads), so asking costs the loops nothing.

namespace korvalinx {

// The capture that runs, or the next one, ends at its next look.
void RequestCaptureStop();
// Forgets a request; done before a capture starts.
void ClearCaptureStop();
// Whether a stop was asked for (a relaxed atomic load).
bool CaptureStopRequested();

}  // namespace korvalinx
