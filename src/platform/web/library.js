// The page's side of the web backend: everything the game needs of the browser, called from
// src/platform/web/*.cpp through page.h.
mergeInto(LibraryManager.library, {
  $Vorblet: {
    // The controls as the game passed them at the start: input name (a key's e.code, 'Mouse' and
    // a button number, 'Pad' and a standard gamepad button number) -> rows of {action, key, alt},
    // the actions numbered as platform::Action numbers them.
    bindings: {},
    held: {},
    padHeld: {},
    cursorX: 320,
    pausedByKey: false,
    pausedByPage: false,
    pausedAt: 0,
    pausedTotal: 0,
    dirty: true,
    picture: 0,
    canvas: null,
    context: null,
    image: null,
    box: null,
    audio: null,
    gain: null,
    clips: [],
    gameKey: 1,
    fire: 2,
    pause: 3,
    // What a press of the input does, chosen as platform::actionOfPress chooses: with Alt, a row
    // that asks for Alt first; a row that asks for Alt never without it.
    pressed: function(name, alt) {
      var rows = Vorblet.bindings[name] || [], plain = null;
      for (var i = 0; i < rows.length; ++i) {
        if (rows[i].alt) {
          if (alt) return rows[i];
        } else if (!plain) {
          plain = rows[i];
        }
      }
      return plain;
    },
    // Whether any held input gives the action (and, for a game key, the key), as
    // platform::gameInputsFrom does.
    holds: function(action, key) {
      var maps = [Vorblet.held, Vorblet.padHeld];
      for (var m = 0; m < maps.length; ++m) {
        for (var name in maps[m]) {
          if (!maps[m][name]) continue;
          var rows = Vorblet.bindings[name] || [];
          for (var i = 0; i < rows.length; ++i)
            if (!rows[i].alt && rows[i].action === action && (action !== Vorblet.gameKey || rows[i].key === key))
              return true;
        }
      }
      return false;
    },
    // Keys the page acts on are kept from the browser (no scrolling, no moving the focus away);
    // the rest, mute and fullscreen among them, stay the browser's.
    handled: function(row) {
      return row !== null && (row.action === Vorblet.gameKey || row.action === Vorblet.pause);
    },
    paused: function() { return Vorblet.pausedByKey || Vorblet.pausedByPage; },
    // Pauses and resumes the clock and the sound together, so that no time passes for the game.
    setPause: function(byKey, byPage) {
      var was = Vorblet.paused();
      Vorblet.pausedByKey = byKey;
      Vorblet.pausedByPage = byPage;
      var now = Vorblet.paused();
      if (now === was) return;
      if (now) {
        Vorblet.pausedAt = performance.now();
        Vorblet.held = {};
        if (Vorblet.audio) Vorblet.audio.suspend();
      } else {
        Vorblet.pausedTotal += performance.now() - Vorblet.pausedAt;
        if (Vorblet.audio) Vorblet.audio.resume();
      }
      Vorblet.dirty = true;
    },
    // Browsers let sound start only after the player's first key or click.
    wakeAudio: function() {
      if (Vorblet.audio && Vorblet.audio.state !== 'running' && !Vorblet.paused())
        Vorblet.audio.resume();
    },
    fit: function() {
      var scale = Math.max(1, Math.floor(Math.min(window.innerWidth / 640, window.innerHeight / 460)));
      Vorblet.canvas.style.width = (640 * scale) + 'px';
      Vorblet.canvas.style.height = (460 * scale) + 'px';
    },
    draw: function() {
      requestAnimationFrame(Vorblet.draw);
      if (!Vorblet.dirty) return;
      Vorblet.dirty = false;
      var from = HEAPU8.subarray(Vorblet.picture, Vorblet.picture + 640 * 460 * 3);
      var to = Vorblet.image.data;
      for (var i = 0, j = 0; i < 640 * 460; ++i, j += 3) {
        to[i * 4] = from[j + 2];
        to[i * 4 + 1] = from[j + 1];
        to[i * 4 + 2] = from[j];
        to[i * 4 + 3] = 255;
      }
      var c = Vorblet.context;
      c.putImageData(Vorblet.image, 0, 0);
      if (!Vorblet.paused()) return;
      c.fillStyle = 'rgba(0, 0, 0, 0.59)';
      c.fillRect(0, 0, 640, 460);
      c.fillStyle = '#000';
      c.fillRect(294, 196, 24, 72);
      c.fillRect(322, 196, 24, 72);
      c.fillStyle = '#fff';
      c.fillRect(298, 200, 16, 64);
      c.fillRect(326, 200, 16, 64);
    }
  },

  vorbletPageStart__deps: ['$Vorblet'],
  vorbletPageStart: function(picture, caption) {
    document.title = UTF8ToString(caption);
    Vorblet.picture = picture;
    Vorblet.canvas = document.getElementById('vorblet');
    Vorblet.context = Vorblet.canvas.getContext('2d');
    Vorblet.image = Vorblet.context.createImageData(640, 460);
    Vorblet.fit();
    window.addEventListener('resize', Vorblet.fit);
    window.addEventListener('keydown', function(e) {
      Vorblet.wakeAudio();
      var row = Vorblet.pressed(e.code, e.altKey);
      if (!Vorblet.handled(row)) return;
      e.preventDefault();
      if (row.action === Vorblet.pause) {
        if (!e.repeat) Vorblet.setPause(!Vorblet.pausedByKey, Vorblet.pausedByPage);
        return;
      }
      if (!Vorblet.paused()) Vorblet.held[e.code] = true;
    });
    window.addEventListener('keyup', function(e) {
      if (!Vorblet.handled(Vorblet.pressed(e.code, false))) return;
      e.preventDefault();
      Vorblet.held[e.code] = false;
    });
    Vorblet.canvas.addEventListener('mousedown', function(e) {
      Vorblet.wakeAudio();
      var row = Vorblet.pressed('Mouse' + e.button, false);
      if (row !== null && row.action === Vorblet.pause) Vorblet.setPause(!Vorblet.pausedByKey, Vorblet.pausedByPage);
      else if (row !== null && !Vorblet.paused()) Vorblet.held['Mouse' + e.button] = true;
    });
    window.addEventListener('mouseup', function(e) { Vorblet.held['Mouse' + e.button] = false; });
    Vorblet.canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    window.addEventListener('mousemove', function(e) {
      var rect = Vorblet.canvas.getBoundingClientRect();
      Vorblet.cursorX = Math.floor((e.clientX - rect.left) * 640 / rect.width);
    });
    // Leaving the page, hiding the tab or giving the focus to another window pauses the game.
    var pageAway = function() {
      Vorblet.setPause(Vorblet.pausedByKey, document.hidden || !document.hasFocus());
    };
    document.addEventListener('visibilitychange', pageAway);
    window.addEventListener('blur', pageAway);
    window.addEventListener('focus', pageAway);
    window.addEventListener('pagehide', function() { Vorblet.setPause(Vorblet.pausedByKey, true); });
    requestAnimationFrame(Vorblet.draw);
  },

  vorbletPictureChanged__deps: ['$Vorblet'],
  vorbletPictureChanged: function() { Vorblet.dirty = true; },

  vorbletBindControl__deps: ['$Vorblet'],
  vorbletBindControl: function(name, action, key, alt) {
    var code = UTF8ToString(name);
    (Vorblet.bindings[code] = Vorblet.bindings[code] || []).push({ action: action, key: key, alt: alt !== 0 });
  },

  vorbletKeyDown__deps: ['$Vorblet'],
  vorbletKeyDown: function(key) { return Vorblet.holds(Vorblet.gameKey, key) ? 1 : 0; },

  vorbletReadGamepad__deps: ['$Vorblet'],
  vorbletReadGamepad: function(xOut, buttonsOut) {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (var i = 0; i < pads.length; ++i) {
      var pad = pads[i];
      if (!pad || !pad.connected) continue;
      var pressed = function(n) { return n < pad.buttons.length && pad.buttons[n].pressed; };
      var axis = pad.axes.length > 0 ? pad.axes[0] : 0;
      if (pressed(14)) axis = -1; // the D-pad pushes as the stick does at its stop
      if (pressed(15)) axis = 1;
      var away = Vorblet.paused();
      Vorblet.padHeld = {};
      for (var n = 0; n < pad.buttons.length && !away; ++n)
        if (pressed(n)) Vorblet.padHeld['Pad' + n] = true;
      HEAPU32[xOut >> 2] = away ? 32768 : Math.max(0, Math.min(65535, Math.round((axis + 1) * 32767.5)));
      HEAPU32[buttonsOut >> 2] = Vorblet.holds(Vorblet.fire, 0) ? 1 : 0;
      return 0;
    }
    Vorblet.padHeld = {};
    return 1;
  },

  vorbletCursorX__deps: ['$Vorblet'],
  vorbletCursorX: function() { return Vorblet.cursorX; },

  vorbletGameTicks__deps: ['$Vorblet'],
  vorbletGameTicks: function() {
    var now = Vorblet.paused() ? Vorblet.pausedAt : performance.now();
    return Math.floor(now - Vorblet.pausedTotal) >>> 0;
  },

  vorbletPaused__deps: ['$Vorblet'],
  vorbletPaused: function() { return Vorblet.paused() ? 1 : 0; },

  vorbletShowBox__deps: ['$Vorblet'],
  vorbletShowBox: function(title, text) {
    var box = document.getElementById('vorblet-box');
    document.getElementById('vorblet-box-title').textContent = UTF8ToString(title);
    document.getElementById('vorblet-box-text').textContent = UTF8ToString(text);
    box.hidden = false;
    Vorblet.box = box;
    document.getElementById('vorblet-box-ok').focus();
  },

  vorbletBoxOpen__deps: ['$Vorblet'],
  vorbletBoxOpen: function() { return Vorblet.box && !Vorblet.box.hidden ? 1 : 0; },

  vorbletShowEnded: function(code) {
    var ended = document.getElementById('vorblet-ended');
    ended.textContent = code === 0 ? 'Vorblet has ended. Reload the page to play again.'
                                   : 'Vorblet could not start (see the messages above). Exit code ' + code + '.';
    ended.hidden = false;
  },

  // The scores the game has just written, merged at once into the record IndexedDB keeps (a tab can
  // be closed at any moment), in one transaction so that another tab's save cannot come between
  // the read and the write; the browser finishes it in the background.
  vorbletKeepScores__deps: ['$FS', '$IDBFS'],
  vorbletKeepScores: function(path) {
    if (!Module.scoresKept) return;
    var name = UTF8ToString(path);
    var mine = FS.readFile(name), mode = FS.stat(name).mode;
    // As the game reads its file: a 0x0D 0x0A pair is one 0x0A data byte, six int32 entries.
    var decode = function(bytes) {
      var data = [];
      for (var i = 0; i < bytes.length && data.length < 24; i++) {
        if (bytes[i] === 0x0D && bytes[i + 1] === 0x0A) i++;
        data.push(bytes[i]);
      }
      var view = new DataView(new Uint8Array(data).buffer), entries = [];
      for (var j = 0; j + 4 <= data.length; j += 4) entries.push(view.getInt32(j, true));
      return entries;
    };
    IDBFS.getDB('/persist', function(err, db) {
      if (err) return;
      var store = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite').objectStore(IDBFS.DB_STORE_NAME);
      var get = store.get('/persist/Vorblet.dat');
      get.onsuccess = function() {
        var merged = decode(mine), saved = get.result && get.result.contents ? decode(get.result.contents) : [];
        for (var i = 0; i < merged.length && i < saved.length; i++) merged[i] = Math.max(merged[i], saved[i]);
        var data = new Uint8Array(merged.length * 4);
        var view = new DataView(data.buffer);
        merged.forEach(function(v, k) { view.setInt32(k * 4, v, true); });
        var bytes = [];
        data.forEach(function(b) { if (b === 0x0A) bytes.push(0x0D); bytes.push(b); });
        store.put({ timestamp: new Date(), mode: mode, contents: new Uint8Array(bytes) }, '/persist/Vorblet.dat');
      };
    });
  },

  vorbletAudioStart__deps: ['$Vorblet'],
  vorbletAudioStart: function() {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 1;
    try {
      Vorblet.audio = new Context();
    } catch (e) {
      return 1;
    }
    Vorblet.gain = Vorblet.audio.createGain();
    Vorblet.gain.connect(Vorblet.audio.destination);
    if (Vorblet.paused()) Vorblet.audio.suspend();
    return 0;
  },

  vorbletAudioLoad__deps: ['$Vorblet'],
  vorbletAudioLoad: function(handle, bytes, size) {
    var clip = { buffer: null, source: null };
    Vorblet.clips[handle] = clip;
    var copy = HEAPU8.slice(bytes, bytes + size).buffer;
    Vorblet.audio.decodeAudioData(copy).then(function(buffer) { clip.buffer = buffer; },
                                             function() {});
  },

  vorbletAudioPlay__deps: ['$Vorblet'],
  vorbletAudioPlay: function(handle) {
    var clip = Vorblet.clips[handle];
    if (!clip) return;
    if (clip.source) clip.source.stop();
    clip.source = null;
    if (!clip.buffer) return; // not decoded yet: this one start is silent
    var source = Vorblet.audio.createBufferSource();
    source.buffer = clip.buffer;
    source.connect(Vorblet.gain);
    source.start();
    clip.source = source;
  },

  vorbletAudioStop__deps: ['$Vorblet'],
  vorbletAudioStop: function(handle) {
    var clip = Vorblet.clips[handle];
    if (clip && clip.source) clip.source.stop();
    if (clip) clip.source = null;
  },

  vorbletAudioClose__deps: ['$Vorblet'],
  vorbletAudioClose: function(handle) {
    var clip = Vorblet.clips[handle];
    if (clip && clip.source) clip.source.stop();
    Vorblet.clips[handle] = null;
  }
});
