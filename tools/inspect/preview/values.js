// Sample values for the preview: what a variable of a given type would show through its format, so an
// author sees "12.34" where the display control would print a value with "%.2f".
const previewValues = (function () {
  'use strict';

  // One value per kind of data type. Numbers go through the variable's format as printf would print them.
  const kSampleNumber = {real: 12.34, integer: 42};
  const kSampleText = {
    text: 'Text',
    password: '\u2022\u2022\u2022\u2022\u2022\u2022',
    date: '2026-01-31',
    time: '12:34:56',
    datetime: '2026-01-31 12:34:56',
    duration: '1d 02:03:04',
  };

  function kindOf(type) {
    if (/^(FLOAT|DOUBLE)$|_FP$/.test(type)) return 'real';
    if (/^(U?INT\d+|ULONG|INDEX)$/.test(type)) return 'integer';
    if (/ENUM/.test(type)) return 'choice';
    if (/^VISIBLE_STR/.test(type)) return 'text';
    if (type === 'PASSWORD') return 'password';
    if (type === 'DATE') return 'date';
    if (type === 'TIME' || type === 'TIMEVALUE') return 'time';
    if (type === 'DATETIME') return 'datetime';
    if (type === 'DURATION') return 'duration';
    return null;
  }

  function pad(text, width, left, zero) {
    if (text.length >= width) return text;
    if (left) return text + ' '.repeat(width - text.length);
    if (zero) {
      const sign = /^[-+ ]/.test(text) ? text[0] : '';
      return sign + '0'.repeat(width - text.length) + text.slice(sign.length);
    }
    return ' '.repeat(width - text.length) + text;
  }

  // Exponent written with a sign and at least two digits, as C does.
  function cExponent(text) {
    return text.replace(/e([+-])(\d)$/, 'e$10$2');
  }

  // One conversion of a printf format applied to value (a number or a text).
  function convert(flags, width, precision, conversion, value) {
    const digits = precision === undefined ? undefined : Number(precision.slice(1));
    const left = flags.includes('-');
    if (typeof value !== 'number') {  // a text goes in as it is, whatever conversion is written
      const text = conversion === 's' && digits !== undefined ? value.slice(0, digits) : value;
      return pad(text, Number(width || 0), left, false);
    }
    const number = value;
    let text;
    switch (conversion) {
      case 'd':
      case 'i':
      case 'u':
        text = String(Math.trunc(number));
        break;
      case 'x':
      case 'X':
      case 'o':
        text = Math.trunc(number).toString(conversion === 'o' ? 8 : 16);
        if (conversion === 'X') text = text.toUpperCase();
        break;
      case 'f':
      case 'F':
        text = number.toFixed(digits === undefined ? 6 : digits);
        break;
      case 'e':
      case 'E':
        text = cExponent(number.toExponential(digits === undefined ? 6 : digits));
        if (conversion === 'E') text = text.toUpperCase();
        break;
      case 'g':
      case 'G':
        text = String(Number(number.toPrecision(digits === undefined ? 6 : Math.max(1, digits))));
        if (conversion === 'G') text = text.toUpperCase();
        break;
      case 'c':
        text = String.fromCharCode(number);
        break;
      default:  // 's': the number as text
        text = String(number);
    }
    if (/^[0-9]/.test(text) && conversion !== 's' && conversion !== 'c') {
      if (flags.includes('+')) text = '+' + text;
      else if (flags.includes(' ')) text = ' ' + text;
    }
    return pad(text, Number(width || 0), left, flags.includes('0') && !'sc'.includes(conversion));
  }

  // The text printf would give for format with value in every conversion; "%%" is one percent sign.
  function printf(format, value) {
    return format.replace(/%([-+ 0#]*)(\d*)(\.\d*)?(?:hh|h|ll|l|L|q|j|z|t)?([diouxXeEfFgGcs%])/g,
      function (match, flags, width, precision, conversion) {
        if (conversion === '%') return '%';
        return convert(flags, width, precision, conversion, value);
      });
  }

  // The sample a variable of this type shows through format (empty for none): a number through the
  // format, a text as it is, an enumeration its first choice's text. Null when the type tells nothing.
  function sample(type, format, firstChoice) {
    const kind = kindOf(type || '');
    if (kind === null) return null;
    if (kind === 'choice') return firstChoice === undefined ? null : firstChoice;
    const value = kind in kSampleNumber ? kSampleNumber[kind] : kSampleText[kind];
    if (!format) return kind === 'real' ? value.toFixed(2) : String(value);
    return printf(format, value);
  }

  return {sample: sample, printf: printf};
})();
