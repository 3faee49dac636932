// The page in a school's learning platform (the SCORM 1.2 package): finds the platform's API
// the standard way and carries out the calls the module asks for, in order, passing each
// result back. The module decides every call and value; without an API nothing here runs.
function findPlatformApi() {
  const search = (start) => {
    // The window itself and its parents, a bounded number of hops up.
    for (let win = start, hops = 0; win && hops <= 8; win = win.parent, ++hops) {
      try {
        if (typeof win.API?.LMSInitialize === 'function') return win.API;
      } catch {}  // a window of another origin: go on past it
      if (win.parent === win) break;
    }
    return null;
  };
  return search(window) ?? (window.opener ? search(window.opener) : null);
}

// Called once the window works; relays after the page's own handlers of every click and key
// (registered before these), and when the page is hidden or left.
function connectPlatform(q) {
  const api = findPlatformApi();
  if (!api) return;
  const utf8 = new TextEncoder();
  let warned = false;
  const reply = (result) => {
    const bytes = utf8.encode(result);
    new Uint8Array(q.memory.buffer, q.quiz_platform_buffer(bytes.length), bytes.length).set(bytes);
    q.quiz_platform_reply(bytes.length);
  };
  const relay = () => {
    for (;;) {
      const now = new Date();
      const address = q.quiz_platform_calls(
        now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds(),
        Math.round(performance.now() / 1000));
      const calls = JSON.parse(new TextDecoder().decode(
        new Uint8Array(q.memory.buffer, address, q.quiz_platform_calls_length())));
      if (calls.length === 0) return;
      for (const [name, ...args] of calls) {
        let result = 'false';
        try {
          result = String(api[name](...args));
        } catch {}
        if (result === 'false' && name !== 'LMSGetValue' && !warned) {  // once, and no retry
          warned = true;
          let code = '';
          try {
            code = String(api.LMSGetLastError());
          } catch {}
          console.warn(`${name}(${args.map((a) => JSON.stringify(a)).join(', ')}): ${code}`);
        }
        reply(result);
      }
    }
  };
  q.quiz_platform_open();
  relay();
  addEventListener('click', relay);
  addEventListener('keydown', relay);
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState !== 'hidden') return;
    q.quiz_platform_hide();
    relay();
  });
  addEventListener('pagehide', () => {
    q.quiz_platform_leave();
    relay();
  });
}
