# Sourced by the page tests: finds Chromium (a page test fails without it) and counts the
# pictures a page shows whole (128 x 64) as the browser loads it.
browser=$(command -v chromium || command -v chromium-browser) || {
    echo "FAILED: chromium is not installed (bash scripts/install-deps.sh installs it)"
    exit 1
}

# Prints "loaded N of M", and ", " with what the JavaScript expression EXTRA gives when one is
# named, as headless Chromium counted the pictures of the page SOURCE opened as a copy CHECK
# beside it (so that its relative links hold). Its profile is kept in PROFILE.
# Usage: count_loaded_pictures SOURCE CHECK PROFILE [EXTRA]
count_loaded_pictures() {
    python3 - "$1" "$2" "${4:-}" <<'PY'
import sys
source, check, extra = sys.argv[1:4]
tail = ' + ", " + (%s)' % extra if extra else ""
script = """<script>
addEventListener("load", () => {
  const all = [...document.images];
  const whole = all.filter(i => i.complete && i.naturalWidth === 128 && i.naturalHeight === 64);
  const p = document.createElement("p");
  p.id = "count";
  p.textContent = "loaded " + whole.length + " of " + all.length%s;
  document.body.appendChild(p);
});
</script></body>""" % tail
open(check, "w").write(open(source).read().replace("</body>", script))
PY
    "$browser" --headless --disable-gpu --no-sandbox --virtual-time-budget=20000 \
        --user-data-dir="$3" --dump-dom "file://$2" 2>/dev/null |
        grep -o '<p id="count">[^<]*</p>' | sed 's/<[^>]*>//g'
}
